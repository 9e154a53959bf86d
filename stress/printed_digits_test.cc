// Guards the digits users compare: over a million generated states, the
// principal stresses print exactly as the formulas written out literally,
// without scaling or other speed-ups, print them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "stress/format.h"
#include "stress/principal.h"

namespace vergleichsspannung {

namespace {

constexpr int kStates = 1000000;

// The spatial solution term by term, as an engineer would check it by hand.
void LiteralSpatial(const double s[6], double out[3]) {
  const double x = s[0], y = s[1], z = s[2], u = s[3], v = s[4], w = s[5];
  const double i1 = y + x + z;
  const double i2 = y * x + z * x + z * y - u * u - w * w - v * v;
  const double i3 = y * x * z - v * x * v + v * u * w - u * z * u + u * w * v - w * y * w;
  const double p = i2 - i1 * i1 / 3;
  const double q = i2 * i1 / 3 - 2 * i1 * i1 * i1 / 27 - i3;
  const double c = std::sqrt(std::pow(std::fabs(p) / 3, 3));
  if (c == 0) {
    out[0] = out[1] = out[2] = i1 / 3;
    return;
  }
  const double phi = std::acos(std::clamp(-q / 2 / c, -1.0, 1.0));
  const double k = std::sqrt(std::fabs(p) / 3);
  out[0] = i1 / 3 + 2 * k * std::cos(phi / 3);
  out[1] = i1 / 3 + -2 * k * std::cos(phi / 3 - 1.0472);
  out[2] = i1 / 3 + -2 * k * std::cos(phi / 3 + 1.0472);
}

TEST(PrintedDigitsTest, SpatialPrincipalStressesPrintAsTheLiteralFormula) {
  std::mt19937_64 rng(1472);
  std::uniform_real_distribution<double> unit(-1, 1);
  int differences = 0;
  for (int n = 0; n < kStates; ++n) {
    double s[6];
    // Typed values with two decimals, and values of any magnitude the
    // literal formula still computes without overflow or underflow.
    const double scale = n % 2 ? 1000 : std::pow(10.0, 40 * unit(rng));
    for (double& c : s) c = n % 2 ? std::round(unit(rng) * scale * 100) / 100 : unit(rng) * scale;
    if (n % 5 == 0) s[3] = s[4] = s[5] = 0;
    if (n % 7 == 0) s[1] = s[0];
    StressValues values;
    std::copy(s, s + 6, values.slot.begin());
    StressResults results;
    ASSERT_EQ(PrincipalSpatial(values, &results), SolveResult::Solved);
    double literal[3];
    LiteralSpatial(s, literal);
    const bool same =
        (results.Sig1 == literal[0] && results.Sig2 == literal[1] && results.Sig3 == literal[2]) ||
        (FormatStress(results.Sig1) == FormatStress(literal[0]) &&
         FormatStress(results.Sig2) == FormatStress(literal[1]) &&
         FormatStress(results.Sig3) == FormatStress(literal[2]));
    if (!same && ++differences <= 5) {
      ADD_FAILURE() << "state " << s[0] << " " << s[1] << " " << s[2] << " " << s[3] << " " << s[4]
                    << " " << s[5] << " prints " << FormatStress(results.Sig1) << " "
                    << FormatStress(results.Sig2) << " " << FormatStress(results.Sig3)
                    << ", literally " << FormatStress(literal[0]) << " " << FormatStress(literal[1])
                    << " " << FormatStress(literal[2]);
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace

}  // namespace vergleichsspannung
