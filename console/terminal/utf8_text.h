// UTF-8 as typed on a terminal, byte by byte, and shown there: the
// characters of a text, the text of characters, and the columns each
// character takes.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <string>
#include <string_view>

#include "console/utf8.h"

namespace vergleichsspannung {

// Follows one byte of UTF-8 through `partial` (the bytes of a character
// begun so far). Appends to *decoded the character it completes, and
// kReplacementCharacter for a sequence that cannot be one.
void FollowUtf8(std::string* partial, unsigned char byte, std::u32string* decoded);

// Ends a character begun in `partial`, if any, as kReplacementCharacter.
void EndUtf8(std::string* partial, std::u32string* decoded);

// Returns the characters of `utf8`, a malformed sequence as
// kReplacementCharacter.
std::u32string CharactersOf(std::string_view utf8);

// Returns `text` in UTF-8.
std::string Utf8Of(std::u32string_view text);

// Returns the columns `c` takes on a terminal: 1 or 2 for a character a line
// may show, 0 for one it may not (a control, a combining mark, unassigned).
// REQUIRES: the character type of the locale is UTF-8.
int ColumnsOf(char32_t c);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_
