// Checks the solver's own arc cosine, cosine and sine against long double,
// over ten million arguments and every boundary, to one unit in the last place
// of the correctly rounded value. VS_ELEMENTARY_ARGUMENTS sets fewer where the
// tests run under an emulator.
#include "stress/elementary.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

namespace vergleichsspannung {

namespace {

// Measures results against the correctly rounded values, counting those that
// are not that value: a constant off by a fraction of a unit stays within one
// unit but shows in their share.
struct Misses {
  long count = 0;
  long of = 0;
  double Share() const { return static_cast<double>(count) / of; }

  // Returns how many doubles lie between `value` and the correctly rounded
  // `exact` (a wrongly signed result counts as far off).
  std::int64_t Ulps(double value, long double exact) {
    const double rounded = static_cast<double>(exact);
    std::int64_t a, b;
    std::memcpy(&a, &value, sizeof a);
    std::memcpy(&b, &rounded, sizeof b);
    const std::int64_t ulps = std::signbit(value) != std::signbit(rounded)
                                  ? (value == rounded ? 0 : INT64_MAX)
                                  : (a > b ? a - b : b - a);
    count += ulps != 0;
    ++of;
    return ulps;
  }
};

long ArgumentCount() {
  const char* count = std::getenv("VS_ELEMENTARY_ARGUMENTS");
  return count ? std::atol(count) : 10000000;
}

// The ends of the domain, the solver's edges and the seams of the methods
// (1/2 for the arc cosine, halfway between table angles for cosine and sine),
// each with its neighbours; then random arguments from `random`.
template <typename Random>
std::vector<double> Arguments(std::vector<double> edges, Random random) {
  std::vector<double> arguments;
  for (double edge : edges) {
    for (double x : {edge, std::nextafter(edge, -2.0), std::nextafter(edge, 2.0)}) {
      arguments.push_back(x);
    }
  }
  std::mt19937_64 rng(28);
  while (static_cast<long>(arguments.size()) < ArgumentCount()) arguments.push_back(random(rng));
  return arguments;
}

TEST(ElementaryTest, ArcCosineWithinOneUlpOverItsWholeDomain) {
  if (LDBL_MANT_DIG <= DBL_MANT_DIG) GTEST_SKIP() << "long double is no wider than double here";
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> decade(0, 1074);
  // Uniform, and crowded towards 0 and towards +-1 on a logarithmic scale.
  const auto random = [&](std::mt19937_64& rng) {
    const double x = unit(rng), tiny = std::ldexp(x, -decade(rng));
    const int kind = decade(rng) % 3;
    return kind == 0 ? x : kind == 1 ? tiny : std::copysign(1 - std::fabs(tiny), x);
  };
  Misses misses;
  for (double x : Arguments({-1, -0.99, -0.5, -DBL_TRUE_MIN, 0, 0.5, 0.99, 1}, random)) {
    if (std::fabs(x) > 1) continue;
    ASSERT_LE(misses.Ulps(ArcCosine(x), std::acos(static_cast<long double>(x))), 1)
        << std::hexfloat << x;
  }
  EXPECT_LT(misses.Share(), 0.04);  // 2.6 % measured
  EXPECT_TRUE(std::isnan(ArcCosine(std::nextafter(1.0, 2.0))));
  EXPECT_TRUE(std::isnan(ArcCosine(-1.5)));
}

TEST(ElementaryTest, CosineAndSineWithinOneUlpForEveryAngleTheSolverPasses) {
  if (LDBL_MANT_DIG <= DBL_MANT_DIG) GTEST_SKIP() << "long double is no wider than double here";
  // The largest angle the solver passes is a third of acos(-1), the smallest 0.
  std::vector<double> edges = {0, DBL_TRUE_MIN, ArcCosine(-1) * (1.0 / 3),
                               std::nextafter(kLargestAngle, 0.0)};
  for (int k = 0; k < 35; ++k) edges.push_back((k + 0.5) / 32);
  std::uniform_real_distribution<double> angle(0, kLargestAngle);
  std::uniform_int_distribution<int> decade(0, 1074);
  const auto random = [&](std::mt19937_64& rng) {
    const double a = angle(rng);
    return decade(rng) % 4 == 0 ? std::ldexp(a, -decade(rng)) : a;
  };
  Misses cosine, sine;
  for (double a : Arguments(edges, random)) {
    if (!(a >= 0 && a < kLargestAngle)) continue;
    const CosineSine result = CosineAndSine(a);
    ASSERT_LE(cosine.Ulps(result.cosine, std::cos(static_cast<long double>(a))), 1)
        << std::hexfloat << a;
    ASSERT_LE(sine.Ulps(result.sine, std::sin(static_cast<long double>(a))), 1)
        << std::hexfloat << a;
  }
  EXPECT_LT(cosine.Share(), 0.01);  // 0.23 % measured
  EXPECT_LT(sine.Share(), 0.015);   // 0.84 % measured
}

}  // namespace

}  // namespace vergleichsspannung
