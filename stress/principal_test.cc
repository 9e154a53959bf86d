#include "stress/principal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stress/format.h"

namespace vergleichsspannung {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

StressValues Spatial(double x, double y, double z, double u, double v, double w) {
  StressValues values;
  values.slot = {x, y, z, u, v, w};
  return values;
}

struct Printed {
  std::string sig1, sig2, sig3;
};

Printed SolveSpatial(const StressValues& values) {
  StressResults results;
  EXPECT_EQ(PrincipalSpatial(values, &results), SolveResult::Solved);
  return {FormatStress(results.Sig1), FormatStress(results.Sig2), FormatStress(results.Sig3)};
}

// Cases whose printed digits engineers compare with earlier runs; the 60° step
// of 1.0472 shows in them.
TEST(PrincipalSpatialTest, PrintsTheDigitsUsersCompare) {
  struct Case {
    StressValues values;
    const char *sig1, *sig2, *sig3;
  } cases[] = {
      {StressValues(), "1206.31", "-152.796", "146.485"},
      {Spatial(0, 0, 0, 100, 0, 0), "100", "-99.9999", "0.000282763"},
      {Spatial(100, -50, 40, 0, 0, 0), "100", "-49.9999", "40.0002"},
      {Spatial(601.19, 601.18, -6984.69, 0, 0, 0), "601.19", "-6984.69", "601.191"},
  };
  for (const Case& c : cases) {
    const Printed printed = SolveSpatial(c.values);
    EXPECT_EQ(printed.sig1, c.sig1);
    EXPECT_EQ(printed.sig2, c.sig2);
    EXPECT_EQ(printed.sig3, c.sig3);
  }
}

TEST(PrincipalSpatialTest, SolvesRepeatedPrincipalStresses) {
  // Hydrostatic: a triple root, where the discriminant is exactly zero.
  StressResults results;
  ASSERT_EQ(PrincipalSpatial(Spatial(100, 100, 100, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_EQ(results.Sig1, 100);
  EXPECT_EQ(results.Sig2, 100);
  EXPECT_EQ(results.Sig3, 100);

  // Uniaxial tension: a double root at zero.
  const Printed uniaxial = SolveSpatial(Spatial(235, 0, 0, 0, 0, 0));
  EXPECT_EQ(uniaxial.sig1, "235");
  ASSERT_EQ(PrincipalSpatial(Spatial(235, 0, 0, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_NEAR(results.Sig2, 0, 1e-3);
  EXPECT_NEAR(results.Sig3, 0, 1e-3);

  // Two nearly equal roots carry the cosine of the angle to -1.0000000000000002
  // and +1.0000000000000002; the 60° step of 1.0472 shows in the last digits.
  ASSERT_EQ(PrincipalSpatial(Spatial(0.26, 0.26, -0.31, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "0.26");
  EXPECT_EQ(FormatStress(results.Sig2), "-0.31");
  EXPECT_EQ(FormatStress(results.Sig3), "0.260001");
  ASSERT_EQ(PrincipalSpatial(Spatial(0.02, 0.02, 0.59, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "0.59");
  EXPECT_EQ(FormatStress(results.Sig2), "0.0200008");
  EXPECT_EQ(FormatStress(results.Sig3), "0.0200008");
}

TEST(PrincipalSpatialTest, StaysExactAtTheEndsOfTheDoubleRange) {
  // Products of these components overflow or underflow unless scaled.
  StressResults results;
  ASSERT_EQ(PrincipalSpatial(Spatial(1e-200, 0, 0, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "1e-200");
  EXPECT_NEAR(results.Sig2, 0, 1e-205);
  EXPECT_NEAR(results.Sig3, 0, 1e-205);

  ASSERT_EQ(PrincipalSpatial(Spatial(5e152, 4e152, 3e152, 3e152, 4e152, 5e152), &results),
            SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "1.20631e+153");
  EXPECT_EQ(FormatStress(results.Sig2), "-1.52796e+152");
  EXPECT_EQ(FormatStress(results.Sig3), "1.46485e+152");

  ASSERT_EQ(PrincipalSpatial(Spatial(1e308, 1e308, 1e308, 0, 0, 0), &results), SolveResult::Solved);
  EXPECT_EQ(results.Sig1, 1e308);
  EXPECT_EQ(results.Sig3, 1e308);
}

TEST(PrincipalSpatialTest, RejectsOnlyComponentsThatAreNotFinite) {
  StressResults results{1, 2, 3, 4};
  EXPECT_EQ(PrincipalSpatial(Spatial(1, 2, 3, 4, 5, kNaN), &results), SolveResult::Rejected);
  EXPECT_EQ(PrincipalSpatial(Spatial(kInfinity, 2, 3, 4, 5, 6), &results), SolveResult::Rejected);
  EXPECT_EQ(results.Sig1, 1);
  EXPECT_EQ(results.Sig2, 2);
  EXPECT_EQ(results.Sig3, 3);
  EXPECT_EQ(results.SigV, 4);
}

TEST(PrincipalInPlaneTest, UsesMohrsCircleAndLeavesSig3) {
  StressResults results{0, 0, 42, 7};
  ASSERT_EQ(PrincipalInPlane(500, 400, 300, &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "754.138");
  EXPECT_EQ(FormatStress(results.Sig2), "145.862");
  EXPECT_EQ(results.Sig3, 42);
  EXPECT_EQ(results.SigV, 7);

  ASSERT_EQ(PrincipalInPlane(100, 0, 0, &results), SolveResult::Solved);
  EXPECT_EQ(results.Sig1, 100);
  EXPECT_EQ(results.Sig2, 0);

  // (a - b)^2 overflows unless scaled.
  ASSERT_EQ(PrincipalInPlane(1e300, -1e300, 0, &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "1e+300");
  EXPECT_EQ(FormatStress(results.Sig2), "-1e+300");

  EXPECT_EQ(PrincipalInPlane(1, kNaN, 0, &results), SolveResult::Rejected);
}

TEST(PrincipalAxisymmetricTest, KeepsTheHoopStressAsThirdPrincipalStress) {
  StressResults results;
  ASSERT_EQ(PrincipalAxisymmetric(StressValues(), &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "145.862");
  EXPECT_EQ(FormatStress(results.Sig2), "754.138");
  EXPECT_EQ(FormatStress(results.Sig3), "300");

  // Here r*r - 2*r*z + z*z rounds to -5.4e-20 although r and z differ.
  StressValues nearly_equal;
  nearly_equal.slot = {0.02, 0.019999999999999997, 0, 5, 0, 0};
  ASSERT_EQ(PrincipalAxisymmetric(nearly_equal, &results), SolveResult::Solved);
  EXPECT_EQ(FormatStress(results.Sig1), "0.02");
  EXPECT_EQ(FormatStress(results.Sig2), "0.02");
  EXPECT_EQ(results.Sig3, 5);

  nearly_equal.slot[3] = -kInfinity;
  EXPECT_EQ(PrincipalAxisymmetric(nearly_equal, &results), SolveResult::Rejected);
}

}  // namespace

}  // namespace vergleichsspannung
