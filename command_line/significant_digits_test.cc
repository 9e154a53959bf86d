#include "command_line/significant_digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace vergleichsspannung {
namespace {

std::string Quick(double value, int digits) {
  char text[kMaxSignificantText];
  return std::string(text, WriteSignificant(text, value, digits));
}

std::string Library(double value, int digits) {
  char text[kMaxSignificantText];
  return std::string(
      text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr);
}

// The quick way must give the library's text for every double and digit
// count; these draw the cases where it could go wrong: ties of the decimal
// rounding, carries into one more digit, powers of ten and of two at the
// ends of the exponent range, subnormals, random bit patterns.
TEST(SignificantDigitsTest, WritesWhatTheLibraryWritesForEveryKindOfDouble) {
  std::mt19937_64 random(29);
  std::uniform_real_distribution<double> stresses(-2000, 2000);
  const auto check = [](double value, int digits) {
    ASSERT_EQ(Quick(value, digits), Library(value, digits)) << value << " to " << digits;
  };
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + i % 17;
    std::uint64_t bits = random();
    double pattern;
    std::memcpy(&pattern, &bits, sizeof pattern);
    if (std::isfinite(pattern)) check(pattern, digits);
    check(stresses(random), 6);
    check(std::round(stresses(random) * 1000) / 1000 + 0.0005, 6);  // near a tie
    check(999999.5 - static_cast<double>(random() % 3) * 0.25, 6);  // a carry, or next to one
    check(std::ldexp(1.0, static_cast<int>(random() % 2098) - 1074), digits);
    check(std::pow(10.0, static_cast<int>(random() % 600) - 300), digits);
    check(static_cast<double>(random() % 10000000) * 1e-3, digits);
  }
  check(0.0, 6);
  check(-0.0, 6);
}

}  // namespace
}  // namespace vergleichsspannung
