#include "stress/hypotheses.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "stress/exact_stress.h"
#include "stress/format.h"

namespace vergleichsspannung {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(EquivalentStressTest, DefaultsGiveTheKnownValuesInAllTwelveCombinations) {
  const struct {
    StressState state;
    const char* geh;
    const char* nh;
    const char* sh;
  } rows[] = {
      {StressState::Spatial, "1236.93", "1206.31", "1359.11"},
      {StressState::Plane, "692.82", "754.138", "754.138"},
      {StressState::Axisymmetric, "547.723", "754.138", "608.276"},
      {StressState::Plate, "0", "0", "0"},
  };
  for (const auto& row : rows) {
    Workspace workspace;
    EXPECT_EQ(FormatStress(EquivalentStress(row.state, Hypothesis::GEH, &workspace)), row.geh);
    EXPECT_EQ(FormatStress(EquivalentStress(row.state, Hypothesis::NH, &workspace)), row.nh);
    EXPECT_EQ(FormatStress(EquivalentStress(row.state, Hypothesis::SH, &workspace)), row.sh);
  }
}

// Six different components, and three more for the plate, so that a routine
// reading a wrong slot gives a wrong result. The hoop stress -900 is the
// smallest axisymmetric principal stress and the largest in magnitude, so NH
// and SH there must pick the third candidate.
TEST(EquivalentStressTest, EveryStateReadsEachComponentFromItsOwnSlot) {
  Workspace w;
  w.values.slot = {120, -70, 45, -900, 260, -35};
  w.plate.slot = {30, -80, 55};
  constexpr double kTolerance = 3e-5 * 900;  // the 60 degree step rounded to 1.0472
  for (int s = kFirstStressState; s <= kLastStressState; ++s) {
    const auto state = static_cast<StressState>(s);
    const Exact exact = ExactPrincipal(state, w);
    for (Hypothesis hypothesis : {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}) {
      const double sig_v = EquivalentStress(state, hypothesis, &w);
      EXPECT_NEAR(sig_v, ExactEquivalent(state, hypothesis, exact), kTolerance)
          << "state " << s << " hypothesis " << static_cast<int>(hypothesis);
    }
    std::vector<double> principal = {w.results.Sig1, w.results.Sig2, w.results.Sig3};
    principal.resize(exact.size());
    Exact sorted = exact;
    std::sort(principal.begin(), principal.end());
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      EXPECT_NEAR(principal[i], sorted[i], kTolerance) << "state " << s;
    }
  }
}

TEST(EquivalentStressTest, WritesOnlyThePrincipalStressesItPicksFrom) {
  Workspace workspace;
  workspace.results = {1, 2, 3, 4};
  EquivalentStress(StressState::Spatial, Hypothesis::GEH, &workspace);
  EXPECT_EQ(workspace.results.Sig1, 1);
  EXPECT_EQ(workspace.results.Sig2, 2);
  EXPECT_EQ(workspace.results.Sig3, 3);

  EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace);
  EXPECT_EQ(FormatStress(workspace.results.Sig1), "754.138");
  EXPECT_EQ(FormatStress(workspace.results.Sig2), "145.862");
  EXPECT_EQ(workspace.results.Sig3, 3);
  EXPECT_EQ(workspace.results.SigV, 4);

  // The plate computes from its own record, not from slots 1 to 3.
  workspace.plate.slot = {10, 20, 30};
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Plate, Hypothesis::GEH, &workspace)),
            FormatStress(PlaneGEH(10, 20, 30)));
  EquivalentStress(StressState::Plate, Hypothesis::NH, &workspace);
  EXPECT_EQ(FormatStress(workspace.results.Sig1), FormatStress(15 + std::sqrt(25 + 900.0)));
}

TEST(EquivalentStressTest, SolvesUniaxialAndHydrostaticStates) {
  Workspace workspace;
  workspace.values.slot = {100, 100, 100, 0, 0, 0};
  EXPECT_EQ(EquivalentStress(StressState::Spatial, Hypothesis::GEH, &workspace), 0);
  EXPECT_EQ(EquivalentStress(StressState::Spatial, Hypothesis::NH, &workspace), 100);
  EXPECT_EQ(workspace.results.Sig1, 100);
  EXPECT_EQ(workspace.results.Sig2, 100);
  EXPECT_EQ(workspace.results.Sig3, 100);
  EXPECT_EQ(EquivalentStress(StressState::Spatial, Hypothesis::SH, &workspace), 0);

  workspace.values.slot = {235, 0, 0, 0, 0, 0};
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Spatial, Hypothesis::NH, &workspace)),
            "235");
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Spatial, Hypothesis::SH, &workspace)),
            "235");
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Spatial, Hypothesis::GEH, &workspace)),
            "235");
}

TEST(EquivalentStressTest, ShearStressHypothesisCountsTheStressNormalToThePlane) {
  Workspace workspace;
  workspace.values.slot = {200, 100, 0, 0, 0, 0};
  EXPECT_EQ(EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace), 200);
  workspace.values.slot = {100, -100, 0, 0, 0, 0};
  EXPECT_EQ(EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace), 200);
  EXPECT_EQ(EquivalentStress(StressState::Plane, Hypothesis::NH, &workspace), 100);
  workspace.values.slot = {-200, -100, 0, 0, 0, 0};
  EXPECT_EQ(EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace), 200);
}

TEST(EquivalentStressTest, DistortionEnergyNeverTakesTheRootOfARoundedNegative) {
  // Three nearly equal normal stresses; the expanded radicand rounds to -6.9e-18.
  StressValues values;
  values.slot = {0.12, 0.12000000000000001, 0.12000000000000001, 0, 0, 0};
  EXPECT_EQ(SpatialGEH(values), 0);
  values.slot = {0.12, 0.12000000000000001, 0, 0.12000000000000001, 0, 0};
  EXPECT_EQ(AxisymmetricGEH(values), 0);
  EXPECT_FALSE(std::isnan(PlaneGEH(0.12, 0.12000000000000001, 0)));
}

TEST(EquivalentStressTest, HugeAndTinyComponentsGiveTheScaledResults) {
  Workspace workspace;
  workspace.values.slot = {1e200, 0, 0, 0, 0, 0};
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Spatial, Hypothesis::GEH, &workspace)),
            "1e+200");
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Spatial, Hypothesis::NH, &workspace)),
            "1e+200");
  workspace.values.slot = {1e-200, -1e-200, 0, 0, 0, 0};
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace)),
            "2e-200");
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Axisymmetric, Hypothesis::GEH, &workspace)),
            "1.73205e-200");
  // The span of +-1e308 exceeds the double range: infinity is the true answer.
  workspace.values.slot = {1e308, -1e308, 0, 0, 0, 0};
  EXPECT_EQ(EquivalentStress(StressState::Plane, Hypothesis::SH, &workspace), kInfinity);
  EXPECT_EQ(FormatStress(EquivalentStress(StressState::Plane, Hypothesis::NH, &workspace)),
            "1e+308");
}

TEST(EquivalentStressTest, NonFiniteComponentsShowAsNotANumberNeverAsStaleResults) {
  Workspace workspace;
  workspace.values.slot = {kNaN, 0, 0, 0, 0, 0};
  for (StressState state : {StressState::Spatial, StressState::Plane, StressState::Axisymmetric}) {
    for (Hypothesis hypothesis : {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}) {
      workspace.results = {1, 2, 3, 4};
      EXPECT_TRUE(std::isnan(EquivalentStress(state, hypothesis, &workspace)));
      if (hypothesis != Hypothesis::GEH) {
        EXPECT_TRUE(std::isnan(workspace.results.Sig1));
        EXPECT_TRUE(std::isnan(workspace.results.Sig2));
        EXPECT_EQ(std::isnan(workspace.results.Sig3), state != StressState::Plane);
      }
    }
  }
  workspace.plate.slot = {0, 0, kInfinity};
  EXPECT_TRUE(std::isnan(EquivalentStress(StressState::Plate, Hypothesis::SH, &workspace)));
}

}  // namespace

}  // namespace vergleichsspannung
