// The Windows console speaks UTF-16 and the dialogue UTF-8: the conversions
// between the two, and what a line typed in the console's line input gives as
// a reply. Plain functions, so they are tested wherever the tests build.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_WIDE_TEXT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_WIDE_TEXT_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>
#include <string_view>

namespace vergleichsspannung {

// Returns `units` as UTF-8; a surrogate without its partner becomes U+FFFD,
// so the text is always well-formed.
std::string Utf8FromUtf16(std::u16string_view units);

// Returns `text` as UTF-16; each byte that is no part of a well-formed UTF-8
// character (a stray, overlong or surrogate form, or a sequence cut short)
// becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

// The UTF-16 units of one typed line that a reply needs to keep at most: a
// line with more units than this has more than kMaxReplyLength characters.
std::size_t ConsoleLineUnitsKept();

// What a line from the console's line input gives.
enum class ConsoleLineKind { kReply, kTooLong, kEndOfInput };

// Reads the line typed at the console: `units` as the console delivered it,
// ended by CR LF, `cut` telling that units beyond ConsoleLineUnitsKept() were
// dropped. Ctrl-Z at its start is the end of input; more than
// kMaxReplyLength characters (CR LF not counted) are too long. A reply goes
// to *line as UTF-8 ended by one newline; otherwise *line is left empty.
ConsoleLineKind ReadConsoleLine(std::u16string_view units, bool cut, std::string* line);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_WIDE_TEXT_H_
