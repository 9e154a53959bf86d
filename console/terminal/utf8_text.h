// UTF-8 as typed on a terminal and shown there: characters from bytes, bytes
// from characters, and the columns each character takes.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_

#include <string>
#include <string_view>

namespace vergleichsspannung {

// What a byte that is no character, or a character the terminal would not
// advance over (a control, a combining mark), is shown and taken as.
constexpr char32_t kReplacementCharacter = 0xfffd;

// Follows one byte of UTF-8 through `partial` (the bytes of a character
// begun so far). Appends to *decoded every character it completes, and
// kReplacementCharacter for every sequence that cannot be one.
void FollowUtf8(std::string* partial, unsigned char byte, std::u32string* decoded);

// Ends a character begun in `partial`, if any, as kReplacementCharacter.
void EndUtf8(std::string* partial, std::u32string* decoded);

// Returns the characters of `utf8`.
std::u32string DecodeUtf8(std::string_view utf8);

// Returns `text` in UTF-8.
std::string EncodeUtf8(std::u32string_view text);

// Returns the columns `c` takes on a terminal: 1 or 2 for a character a line
// may show, 0 for one it may not (a control, a combining mark, unassigned).
// REQUIRES: the character type of the locale is UTF-8.
int ColumnsOf(char32_t c);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_UTF8_TEXT_H_
