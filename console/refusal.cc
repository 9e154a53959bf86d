#include "console/refusal.h"

#include <cstdio>

namespace vergleichsspannung {

std::string RefusalText(std::string_view word, std::string_view value_name, std::string_view kept) {
  std::string text;
  if (word.empty()) {
    text = "an over-long reply";
  } else {
    text = "\"";
    for (const char c : word) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte == 0x7f) {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", byte);
        text += escape;
      } else {
        if (c == '"' || c == '\\') text += '\\';
        text += c;
      }
    }
    text += '"';
  }
  text += " refused for ";
  text.append(value_name);
  text += ", which stays ";
  text.append(kept);
  return text;
}

}  // namespace vergleichsspannung
