// What the keys of kitty's keyboard protocol and of xterm's modifyOtherKeys
// stand for: a program that asked for them may have left them on. A key
// that types a character types it; Enter, Tab, Backspace and Escape act as
// those keys; Ctrl with a letter is its control character, as typed on any
// terminal; every other key, and every key released, does nothing.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_REPORTS_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_REPORTS_H_

#include <string>

#include "console/terminal/key_decoder.h"

namespace vergleichsspannung {

// Returns a key without action.
Key NoAction();

// Returns the editing key `editing`.
Key Editing(EditingKey editing);

// Returns the key that types `c`: a kCharacter with its byte when it is
// ASCII, a kText beyond.
// REQUIRES: c <= 0x10ffff.
Key Typed(char32_t c);

// Returns the key kitty's report ESC [ key:shifted:base ; modifiers:event ;
// text u stands for. A printable key without Ctrl or Alt types its text, or
// its shifted key, or (a letter) its letter as Shift and Caps Lock make it;
// a shifted key whose character the report does not tell types U+FFFD, so
// that the reply is refused rather than read without it. kitty's keypad
// keys type, or edit, as the application keypad's do.
// REQUIRES: `sequence` is ESC [ ... u.
Key KeyOfKittyReport(const std::string& sequence);

// Returns the key xterm's ESC [ 27 ; modifiers ; character ~ stands for;
// the character is as typed, Shift applied.
// REQUIRES: `sequence` is ESC [ 27 ... ~.
Key KeyOfModifiedOtherKey(const std::string& sequence);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_REPORTS_H_
