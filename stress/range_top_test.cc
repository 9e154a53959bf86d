// Checks results at the top of the double range against principal stresses
// computed on the state scaled down by 2^-700, exactly, so that the oracle's
// cubes stay in range even where long double is double: an equivalent stress
// that exists as a double prints finite, and a principal stress prints
// infinite only where it lies beyond the double range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "stress/exact_stress.h"
#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

// Below this a result must be finite; the 1.0472 step moves results by up to
// about 5e-6 of the largest component, so the bound keeps that margin.
const long double kFiniteBound = DBL_MAX / (1 + 1e-4L);
constexpr double kTolerance = 3e-5;  // times the largest component
// The oracle's scale: its results are the stresses times kDown.
constexpr double kDown = 0x1p-700;

// Checks one state under all three hypotheses.
void ExpectTrueToTheRange(StressState state, Workspace w) {
  Workspace down = w;
  for (double& c : down.values.slot) c *= kDown;
  for (double& c : down.plate.slot) c *= kDown;
  const Exact exact = ExactPrincipal(state, down);
  double largest = 0;
  for (double c : w.values.slot) largest = std::max(largest, std::fabs(c));
  for (double c : w.plate.slot) largest = std::max(largest, std::fabs(c));
  for (Hypothesis hypothesis : {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}) {
    const double sig_v = EquivalentStress(state, hypothesis, &w);
    const long double expected = ExactEquivalent(state, hypothesis, exact);
    if (std::fabs(expected) < kFiniteBound * kDown) {
      ASSERT_TRUE(std::isfinite(sig_v))
          << "state " << static_cast<int>(state) << " hypothesis " << static_cast<int>(hypothesis)
          << " exact " << static_cast<double>(expected / kDown);
      EXPECT_LE(std::fabs(sig_v * kDown - expected), kTolerance * largest * kDown);
    }
    if (hypothesis == Hypothesis::GEH) continue;
    std::vector<double> printed = {w.results.Sig1, w.results.Sig2, w.results.Sig3};
    printed.resize(exact.size());
    Exact sorted = exact;
    std::sort(printed.begin(), printed.end());
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      if (std::isinf(printed[i])) {
        EXPECT_GT(std::fabs(sorted[i]), kFiniteBound * kDown);
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

}  // namespace vergleichsspannung
