#include "stress/format.h"

#include <cassert>
#include <cstdio>

namespace vergleichsspannung {

std::string FormatStress(double value) {
  // The longest "%g" text, "-1.79769e+308", takes 13 bytes.
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%g", value);
  assert(length > 0 && length < static_cast<int>(sizeof text));
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace vergleichsspannung
