#include "console/utf8.h"

#include <cassert>

namespace vergleichsspannung {

namespace {

// Stores in *length the length of the character that `lead` starts, and
// narrows [*low, *high] to the second bytes that make it well-formed.
// Returns false when `lead` starts no character.
bool ReadLead(unsigned char lead, std::size_t* length, unsigned char* low, unsigned char* high) {
  if (lead >= 0xc2 && lead <= 0xdf) {
    *length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    *length = 3;
    if (lead == 0xe0) *low = 0xa0;
    if (lead == 0xed) *high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    *length = 4;
    if (lead == 0xf0) *low = 0x90;
    if (lead == 0xf4) *high = 0x8f;
  } else {
    return false;
  }
  return true;
}

}  // namespace

Utf8Character DecodeUtf8(std::string_view text) {
  assert(!text.empty());
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  unsigned char low = 0x80;   // the range of the second byte, narrowed so that
  unsigned char high = 0xbf;  // overlong, surrogate and too large forms are malformed
  if (!ReadLead(lead, &length, &low, &high)) return {kReplacementCharacter, 1, false};
  char32_t code = lead & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= text.size()) return {kReplacementCharacter, i, false};
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < low || byte > high) return {kReplacementCharacter, i, false};
    low = 0x80;
    high = 0xbf;
    code = (code << 6) | (byte & 0x3f);
  }
  return {code, length, true};
}

void AppendUtf8(char32_t code, std::string* text) {
  assert(code <= 0x10ffff);
  if (code < 0x80) {
    *text += static_cast<char>(code);
    return;
  }
  const std::size_t length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  char bytes[4];
  for (std::size_t i = length - 1; i > 0; --i) {
    bytes[i] = static_cast<char>(0x80 | (code & 0x3f));
    code >>= 6;
  }
  constexpr unsigned char kLeadMark[] = {0, 0, 0xc0, 0xe0, 0xf0};
  bytes[0] = static_cast<char>(kLeadMark[length] | code);
  text->append(bytes, length);
}

}  // namespace vergleichsspannung
