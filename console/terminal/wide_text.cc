#include "console/terminal/wide_text.h"

#include "console/byte_stream.h"

namespace vergleichsspannung {

namespace {

constexpr char32_t kReplacement = 0xfffd;
constexpr char16_t kCtrlZ = 0x1a;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xd800 && unit <= 0xdbff; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xdc00 && unit <= 0xdfff; }

void AppendUtf8(char32_t code, std::string* text) {
  if (code < 0x80) {
    *text += static_cast<char>(code);
    return;
  }
  char bytes[4];
  int length = 0;
  char32_t lead_mark = 0;
  if (code < 0x800) {
    length = 2;
    lead_mark = 0xc0;
  } else if (code < 0x10000) {
    length = 3;
    lead_mark = 0xe0;
  } else {
    length = 4;
    lead_mark = 0xf0;
  }
  for (int i = length - 1; i > 0; --i) {
    bytes[i] = static_cast<char>(0x80 | (code & 0x3f));
    code >>= 6;
  }
  bytes[0] = static_cast<char>(lead_mark | code);
  text->append(bytes, static_cast<std::size_t>(length));
}

void AppendUtf16(char32_t code, std::u16string* units) {
  if (code < 0x10000) {
    *units += static_cast<char16_t>(code);
    return;
  }
  code -= 0x10000;
  *units += static_cast<char16_t>(0xd800 + (code >> 10));
  *units += static_cast<char16_t>(0xdc00 + (code & 0x3ff));
}

// Decodes the character at the start of `text` into *code and returns how
// many bytes it took; a malformed start becomes U+FFFD and takes the bytes
// that began it (at least one), as Unicode recommends.
std::size_t DecodeUtf8(std::string_view text, char32_t* code) {
  const auto lead = static_cast<unsigned char>(text[0]);
  *code = kReplacement;
  if (lead < 0x80) {
    *code = lead;
    return 1;
  }
  std::size_t length = 0;
  unsigned char low = 0x80;   // the range of the second byte, narrowed so that
  unsigned char high = 0xbf;  // overlong and surrogate forms are malformed
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
    if (lead == 0xe0) low = 0xa0;
    if (lead == 0xed) high = 0x9f;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
    if (lead == 0xf0) low = 0x90;
    if (lead == 0xf4) high = 0x8f;
  } else {
    return 1;
  }
  char32_t value = lead & (0x7f >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= text.size()) return i;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < low || byte > high) return i;
    low = 0x80;
    high = 0xbf;
    value = (value << 6) | (byte & 0x3f);
  }
  *code = value;
  return length;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view units) {
  std::string text;
  text.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t code = units[i];
    if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
      code = 0x10000 + ((code - 0xd800) << 10) + (units[i + 1] - 0xdc00);
      ++i;
    } else if (IsHighSurrogate(units[i]) || IsLowSurrogate(units[i])) {
      code = kReplacement;
    }
    AppendUtf8(code, &text);
  }
  return text;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  while (!text.empty()) {
    char32_t code = 0;
    text.remove_prefix(DecodeUtf8(text, &code));
    AppendUtf16(code, &units);
  }
  return units;
}

std::size_t ConsoleLineUnitsKept() {
  // Every character takes one or two units, and CR LF ends the line.
  return 2 * kMaxReplyLength + 2;
}

ConsoleLineKind ReadConsoleLine(std::u16string_view units, bool cut, std::string* line) {
  line->clear();
  if (!units.empty() && units[0] == kCtrlZ) return ConsoleLineKind::kEndOfInput;
  if (!units.empty() && units.back() == u'\n') units.remove_suffix(1);
  if (!units.empty() && units.back() == u'\r') units.remove_suffix(1);
  std::size_t characters = units.size();
  for (std::size_t i = 1; i < units.size(); ++i) {
    if (IsHighSurrogate(units[i - 1]) && IsLowSurrogate(units[i])) --characters;
  }
  if (cut || characters > kMaxReplyLength) return ConsoleLineKind::kTooLong;
  *line = Utf8FromUtf16(units);
  *line += '\n';
  return ConsoleLineKind::kReply;
}

}  // namespace vergleichsspannung
