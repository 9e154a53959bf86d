#include "console/terminal/wide_text.h"

#include "console/terminal/input.h"
#include "console/utf8.h"

namespace vergleichsspannung {

namespace {

constexpr char16_t kCtrlZ = 0x1a;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xd800 && unit <= 0xdbff; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xdc00 && unit <= 0xdfff; }

void AppendUtf16(char32_t code, std::u16string* units) {
  if (code < 0x10000) {
    *units += static_cast<char16_t>(code);
    return;
  }
  code -= 0x10000;
  *units += static_cast<char16_t>(0xd800 + (code >> 10));
  *units += static_cast<char16_t>(0xdc00 + (code & 0x3ff));
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
      code = kReplacementCharacter;
    }
    AppendUtf8(code, &text);
  }
  return text;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string units;
  units.reserve(text.size());
  while (!text.empty()) {
    const Utf8Character character = DecodeUtf8(text);
    text.remove_prefix(character.length);
    AppendUtf16(character.code, &units);
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
