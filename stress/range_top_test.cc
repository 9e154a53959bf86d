// Checks results at the top of the double range against principal stresses
// computed in long double, whose range reaches far beyond: an equivalent
// stress that exists as a double prints finite, and a principal stress prints
// infinite only where it lies beyond the double range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "stress/hypotheses.h"

namespace {

// Below this a result must be finite; the 1.0472 step moves results by up to
// about 5e-6 of the largest component, so the bound keeps that margin.
const long double kFiniteBound = DBL_MAX / (1 + 1e-4L);
constexpr double kTolerance = 3e-5;  // times the largest component

using Exact = std::vector<long double>;

Exact ExactPrincipal(StressState state, const Workspace& w) {
  const auto& s = w.values.slot;
  const auto in_plane = [](long double a, long double b, long double t) {
    const long double r = std::sqrt((a - b) * (a - b) / 4 + t * t);
    return Exact{(a + b) / 2 + r, (a + b) / 2 - r};
  };
  switch (state) {
    case StressState::Spatial: {
      const long double x = s[0], y = s[1], z = s[2], u = s[3], v = s[4], t = s[5];
      const long double mean = (x + y + z) / 3;
      const long double a = x - mean, b = y - mean, c = z - mean;
      const long double j2 = (a * a + b * b + c * c) / 2 + u * u + v * v + t * t;
      const long double j3 = a * b * c + 2 * u * v * t - a * v * v - b * t * t - c * u * u;
      if (j2 == 0) return {mean, mean, mean};
      const long double k = std::sqrt(j2 / 3);
      const long double angle = std::acos(std::clamp(j3 / 2 / (k * k * k), -1.0L, 1.0L)) / 3;
      const long double step = 2 * std::acos(-1.0L) / 3;
      return {mean + 2 * k * std::cos(angle), mean + 2 * k * std::cos(angle - step),
              mean + 2 * k * std::cos(angle + step)};
    }
    case StressState::Plane:
      return in_plane(s[0], s[1], s[2]);
    case StressState::Axisymmetric: {
      Exact e = in_plane(s[0], s[1], s[2]);
      e.push_back(s[3]);
      return e;
    }
    case StressState::Plate:
      return in_plane(w.plate.slot[0], w.plate.slot[1], w.plate.slot[2]);
  }
  return {};
}

long double ExactEquivalent(StressState state, Hypothesis hypothesis, const Exact& principal) {
  Exact all = principal;
  if (state == StressState::Plane || state == StressState::Plate) all.push_back(0);
  const auto [low, high] = std::minmax_element(all.begin(), all.end());
  if (hypothesis == Hypothesis::NH) return std::max(std::fabs(*low), std::fabs(*high));
  if (hypothesis == Hypothesis::SH) return *high - *low;
  long double sum = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) sum += (all[i] - all[j]) * (all[i] - all[j]);
  }
  return std::sqrt(sum / 2);
}

// Checks one state under all three hypotheses.
void ExpectTrueToTheRange(StressState state, Workspace w) {
  const Exact exact = ExactPrincipal(state, w);
  double largest = 0;
  for (double c : w.values.slot) largest = std::max(largest, std::fabs(c));
  for (double c : w.plate.slot) largest = std::max(largest, std::fabs(c));
  for (Hypothesis hypothesis : {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}) {
    const double sig_v = EquivalentStress(state, hypothesis, &w);
    const long double expected = ExactEquivalent(state, hypothesis, exact);
    if (std::fabs(expected) < kFiniteBound) {
      ASSERT_TRUE(std::isfinite(sig_v))
          << "state " << static_cast<int>(state) << " hypothesis " << static_cast<int>(hypothesis)
          << " exact " << static_cast<double>(expected);
      EXPECT_LE(std::fabs(sig_v - expected), kTolerance * largest);
    }
    if (hypothesis == Hypothesis::GEH) continue;
    std::vector<double> printed = {w.results.Sig1, w.results.Sig2, w.results.Sig3};
    printed.resize(exact.size());
    Exact sorted = exact;
    std::sort(printed.begin(), printed.end());
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      if (std::isinf(printed[i])) {
        EXPECT_GT(std::fabs(sorted[i]), kFiniteBound);
      }
    }
  }
}

TEST(RangeTopTest, SpansWithinTheRangeStayFiniteWhenAPrincipalStressIsBeyondIt) {
  Workspace w;
  w.values.slot = {1.258718329415321e+308,
                   1.0558322699809233e+308,
                   8.2798788813126e+307,
                   3.23096283437063e+307,
                   0,
                   0};
  const double sh = EquivalentStress(StressState::Axisymmetric, Hypothesis::SH, &w);
  EXPECT_TRUE(std::isinf(w.results.Sig2));
  EXPECT_NEAR(sh, 1.6683580325221184e308, kTolerance * 1.258718329415321e+308);
  ExpectTrueToTheRange(StressState::Axisymmetric, w);

  // Hydrostatic: the exact SH is 0, the mean stress one ulp from overflow.
  w.values.slot = {1.797693128165387e+308, 1.797693128165387e+308, 1.797693128165387e+308, 0, 0, 0};
  ExpectTrueToTheRange(StressState::Spatial, w);
}

TEST(RangeTopTest, EveryStateAndHypothesisNearTheTopOfTheRange) {
  std::mt19937_64 rng(308);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int n = 0; n < 4000; ++n) {
    Workspace w;
    const double top = DBL_MAX * std::pow(10.0, -3 * std::fabs(unit(rng)));
    for (double& c : w.values.slot) c = unit(rng) * top;
    if (n % 4 == 1) w.values.slot[3] = w.values.slot[4] = w.values.slot[5] = 0;
    if (n % 4 == 2) w.values.slot[1] = w.values.slot[2] = w.values.slot[0];
    for (int i = 0; i < 3; ++i) w.plate.slot[i] = w.values.slot[i];
    for (int s = kFirstStressState; s <= kLastStressState; ++s) {
      ExpectTrueToTheRange(static_cast<StressState>(s), w);
    }
    if (HasFailure()) break;
  }
}

}  // namespace
