// Tells the bytes a terminal sends for one special key (arrows, Home, End,
// Delete, function keys: ESC [ ... final, ESC O x, ESC x) apart from typed
// characters, so that no byte of such a sequence is ever taken as a menu
// command or typed into a reply.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_ESCAPE_SEQUENCE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_ESCAPE_SEQUENCE_H_

#include <string>

namespace vergleichsspannung {

// The bytes of the sequence that is being received; empty between sequences.
struct EscapeSequence {
  std::string bytes;
};

// What one byte was: a character of its own, a byte inside a sequence that
// goes on, or the last byte of a sequence (now whole in sequence->bytes).
enum class KeyByte { kCharacter, kInside, kLast };

// Follows `byte` through the sequence being received. A sequence ends at its
// final byte; an ESC inside a sequence starts a new one, a control byte
// abandons it and stands for itself.
KeyByte FollowKeyByte(EscapeSequence* sequence, unsigned char byte);

// The editing keys a reply line acts on.
enum class EditingKey { kNone, kUp, kDown, kRight, kLeft, kHome, kEnd, kDelete };

// Returns the editing key a whole sequence stands for in its common
// encodings (xterm, vt100, rxvt, the Linux console, with xterm's modifier
// forms), or kNone for a key a reply line has no use for.
EditingKey EditingKeyOf(const std::string& sequence);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_ESCAPE_SEQUENCE_H_
