// The printed value is what "%g" prints, for every kind of double: random bit
// patterns, halfway cases of the sixth digit, the ends of the range.
#include "stress/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace vergleichsspannung {

namespace {

std::string PrintfG(double value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%g", value);
  return std::string(text, static_cast<std::size_t>(length));
}

TEST(FormatStressTest, PrintsAsPrintfG) {
  using Limits = std::numeric_limits<double>;
  for (const double value :
       {0.0, -0.0, 1206.31, -152.796, 0.000282763, 1e-5, 123456.0, 1234565.0, 999999.5, 9999995.0,
        0.0001, 0.00001, Limits::max(), Limits::lowest(), Limits::min(), Limits::denorm_min(),
        Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN()}) {
    EXPECT_EQ(FormatStress(value), PrintfG(value)) << value;
  }
  std::mt19937_64 rng(2207);
  int differences = 0;
  for (int n = 0; n < 200000; ++n) {
    double value;
    if (n % 2 == 0) {
      const std::uint64_t bits = rng();
      std::memcpy(&value, &bits, sizeof value);
    } else {
      // Seven-digit integers scaled by powers of two and ten: the seventh
      // digit a 5 with nothing behind it is a tie, rounded to even.
      value = std::ldexp(static_cast<double>(rng() % 10000000), static_cast<int>(rng() % 7) - 3) *
              std::pow(10.0, static_cast<int>(rng() % 41) - 20);
    }
    if (FormatStress(value) != PrintfG(value) && ++differences <= 5) {
      ADD_FAILURE() << PrintfG(value) << " printed as " << FormatStress(value);
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace

}  // namespace vergleichsspannung
