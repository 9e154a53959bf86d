#include "console/refusal.h"

#include <cstdio>

namespace vergleichsspannung {

namespace {

// Returns the length of the well-formed UTF-8 character at the start of
// `text`, or 0 when it starts with a byte that begins none.
std::size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                             : lead >= 0xe0 && lead <= 0xef ? 3
                             : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                            : 0;
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

namespace {

// Returns `text` in quotes, with what would not show as itself escaped.
std::string Quoted(std::string_view word) {
  std::string text = "\"";
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && Utf8Length(word.substr(i)) > 0) {
      const std::size_t length = Utf8Length(word.substr(i));
      text.append(word.substr(i, length));
      i += length - 1;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      text += escape;
    } else {
      if (c == '"' || c == '\\') text += '\\';
      text += c;
    }
  }
  return text + '"';
}

}  // namespace

std::string LeftOverText(std::string_view text, std::string_view value_name) {
  std::string line = Quoted(text.substr(0, kMaxWordLength));
  if (text.size() > kMaxWordLength) line += " and more";
  line += " left over after ";
  line.append(value_name);
  return line + ", not taken";
}

void WarnOfLeftOver(Console* console, std::string_view value_name) {
  const std::string rest = console->DiscardLine();
  if (!rest.empty()) console->Warn(LeftOverText(rest, value_name));
}

std::string RefusalText(Console::Word read, std::string_view word, std::string_view value_name,
                        std::string_view kept) {
  std::string text;
  if (read == Console::Word::kTooLong) {
    text = "a word of more than " + std::to_string(kMaxWordLength) + " bytes";
  } else if (read == Console::Word::kLineTooLong) {
    text = "a reply line of more than " + std::to_string(kMaxReplyLength) + " characters";
  } else {
    text = Quoted(word);
  }
  text += " refused for ";
  text.append(value_name);
  text += ", which stays ";
  text.append(kept);
  return text;
}

}  // namespace vergleichsspannung
