// Text that came from outside (a typed word, an environment value) made safe
// to show on a terminal: what cannot be shown as itself is written as an
// escape, so the line is valid UTF-8, drives no terminal and hides nothing.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_PRINTABLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_PRINTABLE_H_

// Reached only through the text library: a layer below it stops here.
#ifndef VS_LAYER_TEXT
#error "a header of the text layer, included from a layer below it"
#endif

#include <string>
#include <string_view>

namespace vergleichsspannung {

// Returns true for an invisible character that Printable writes as an escape
// (a format or bidirectional control, a separator, a noncharacter): terminals
// disagree on how many columns it takes, so none should be counted on.
bool IsHidden(char32_t c);

// Returns `text` with every character a terminal would act on or not show
// written as an escape: each byte of an invalid UTF-8 sequence (overlong,
// surrogate, beyond U+10FFFF, truncated, stray) and each C0 control or DEL as
// `\xHH`; C1 controls, line and paragraph separators, bidirectional, zero-width,
// format and other invisible characters, and noncharacters as `\u{HHHH}`. A
// backslash and a double quote become `\\` and `\"`, so that the text quoted in
// double quotes tells exactly, and only, which bytes were read.
std::string Printable(std::string_view text);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_PRINTABLE_H_
