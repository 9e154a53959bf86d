#include "stress/format.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vergleichsspannung {

namespace {

// Six significant digits, as "%g" has them.
constexpr int kSignificantDigits = 6;

}  // namespace

std::string FormatStress(double value) {
  // The longest "%g" text, "-1.79769e+308", takes 13 bytes.
  char text[32];
  if (std::isfinite(value)) {
    // Digit for digit what "%g" prints, at a third of the cost of printf.
    const std::to_chars_result written = std::to_chars(
        text, text + sizeof text, value, std::chars_format::general, kSignificantDigits);
    assert(written.ec == std::errc());
    return std::string(text, written.ptr);
  }
  // Infinity and not-a-number read as the platform's printf writes them.
  const int length = std::snprintf(text, sizeof text, "%g", value);
  assert(length > 0 && length < static_cast<int>(sizeof text));
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace vergleichsspannung
