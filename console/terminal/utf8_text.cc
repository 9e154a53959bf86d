#include "console/terminal/utf8_text.h"

#include <wchar.h>

#include "console/printable.h"

namespace vergleichsspannung {

namespace {

// Returns how many bytes the character that `lead` begins has, 0 when
// `lead` begins none.
std::size_t LengthOf(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

}  // namespace

void EndUtf8(std::string* partial, std::u32string* decoded) {
  if (partial->empty()) return;
  partial->clear();
  decoded->push_back(kReplacementCharacter);
}

void FollowUtf8(std::string* partial, unsigned char byte, std::u32string* decoded) {
  const bool continuation = byte >= 0x80 && byte < 0xc0;
  if (!partial->empty() && !continuation) EndUtf8(partial, decoded);
  if (partial->empty() && continuation) {
    decoded->push_back(kReplacementCharacter);
    return;
  }
  partial->push_back(static_cast<char>(byte));
  const std::size_t length = LengthOf(static_cast<unsigned char>((*partial)[0]));
  if (length == 0) {
    EndUtf8(partial, decoded);
  } else if (partial->size() == length) {
    // An overlong form, a surrogate or one beyond U+10FFFF is one character
    // that cannot be.
    const Utf8Character character = DecodeUtf8(*partial);
    decoded->push_back(character.well_formed ? character.code : kReplacementCharacter);
    partial->clear();
  }
}

std::u32string CharactersOf(std::string_view utf8) {
  std::u32string characters;
  while (!utf8.empty()) {
    const Utf8Character character = DecodeUtf8(utf8);
    characters.push_back(character.code);
    utf8.remove_prefix(character.length);
  }
  return characters;
}

std::string Utf8Of(std::u32string_view text) {
  std::string utf8;
  for (char32_t c : text) AppendUtf8(c, &utf8);
  return utf8;
}

int ColumnsOf(char32_t c) {
  if (c >= 0x20 && c < 0x7f) return 1;
  if (IsHidden(c)) return 0;  // shown as U+FFFD, wherever a terminal would put it
  const int columns = wcwidth(static_cast<wchar_t>(c));
  return columns > 0 ? columns : 0;
}

}  // namespace vergleichsspannung
