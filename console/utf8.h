// UTF-8, the character set of typed replies and of the warnings: one
// character decoded by the rules Unicode gives for malformed input, and one
// encoded.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_UTF8_H_
#define VERGLEICHSSPANNUNG_CONSOLE_UTF8_H_

// Reached only through the text library: a layer below it stops here.
#ifndef VS_LAYER_TEXT
#error "a header of the text layer, included from a layer below it"
#endif

#include <cstddef>
#include <string>
#include <string_view>

namespace vergleichsspannung {

constexpr char32_t kReplacementCharacter = 0xfffd;

// One character at the start of a text.
struct Utf8Character {
  char32_t code;       // U+FFFD where the start is malformed
  std::size_t length;  // the bytes it takes, at least 1
  bool well_formed;    // false for a stray, overlong, surrogate or cut-short form
};

// Decodes the character at the start of `text`. A malformed start takes the
// bytes that began it (the maximal subpart, as Unicode recommends), so a
// cut-short sequence never swallows the character after it.
// REQUIRES: !text.empty().
Utf8Character DecodeUtf8(std::string_view text);

// Appends `code` in UTF-8.
// REQUIRES: code <= 0x10ffff.
void AppendUtf8(char32_t code, std::string* text);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_UTF8_H_
