#include "console/terminal/utf8_text.h"

#include <wchar.h>

namespace vergleichsspannung {

namespace {

// Returns how many bytes the character that `lead` begins has, 0 when
// `lead` begins none (a continuation byte, an overlong or too large form).
std::size_t LengthOf(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// Returns the character of a whole UTF-8 sequence, kReplacementCharacter
// for an overlong form, a surrogate or beyond U+10FFFF.
char32_t CharacterOf(const std::string& bytes) {
  static constexpr char32_t kLeadMask[] = {0, 0x7f, 0x1f, 0x0f, 0x07};
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t c = static_cast<unsigned char>(bytes[0]) & kLeadMask[bytes.size()];
  for (std::size_t i = 1; i < bytes.size(); ++i)
    c = (c << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3f);
  const bool bad = c < kSmallest[bytes.size()] || (c >= 0xd800 && c <= 0xdfff) || c > 0x10ffff;
  return bad ? kReplacementCharacter : c;
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
    decoded->push_back(CharacterOf(*partial));
    partial->clear();
  }
}

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string decoded;
  std::string partial;
  for (char byte : utf8) FollowUtf8(&partial, static_cast<unsigned char>(byte), &decoded);
  EndUtf8(&partial, &decoded);
  return decoded;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string utf8;
  for (char32_t c : text) {
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xc0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xe0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
      utf8 += static_cast<char>(0x80 | (c & 0x3f));
    } else {
      utf8 += static_cast<char>(0xf0 | (c >> 18));
      utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
      utf8 += static_cast<char>(0x80 | (c & 0x3f));
    }
  }
  return utf8;
}

int ColumnsOf(char32_t c) {
  if (c >= 0x20 && c < 0x7f) return 1;
  const int columns = wcwidth(static_cast<wchar_t>(c));
  return columns > 0 ? columns : 0;
}

}  // namespace vergleichsspannung
