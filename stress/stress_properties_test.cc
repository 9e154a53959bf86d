// Checks, over many generated stress states, what must hold for every finite
// state: no not-a-number, principal stresses that reproduce the invariants of
// the tensor, and the bounds between the three hypotheses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

constexpr int kStatesPerKind = 12500;  // 100,000 states per test

// The 60° step rounded to 1.0472 moves principal stresses by up to about
// 5e-6 of the deviatoric scale; rounding adds far less.
constexpr double kTolerance = 2e-5;

class StressGenerator {
 public:
  explicit StressGenerator(unsigned seed) : rng_(seed) {}

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng_);
  }
  double Magnitude() { return std::pow(10.0, Uniform(-200, 200)); }
  double Signed() { return Uniform(-1, 1); }
  // A value an engineer would type: two decimals, within +-1000.
  double Typed() { return std::round(Uniform(-1000, 1000) * 100) / 100; }
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }

  // Returns the spatial tensor R diag(s1, s2, s3) R^T for a random rotation R.
  StressValues Rotated(double s1, double s2, double s3) {
    double q[4];
    double norm = 0;
    for (double& c : q) {
      c = Signed();
      norm += c * c;
    }
    norm = std::sqrt(norm);
    for (double& c : q) c /= norm;
    const double r[3][3] = {{1 - 2 * (q[2] * q[2] + q[3] * q[3]), 2 * (q[1] * q[2] - q[0] * q[3]),
                             2 * (q[1] * q[3] + q[0] * q[2])},
                            {2 * (q[1] * q[2] + q[0] * q[3]), 1 - 2 * (q[1] * q[1] + q[3] * q[3]),
                             2 * (q[2] * q[3] - q[0] * q[1])},
                            {2 * (q[1] * q[3] - q[0] * q[2]), 2 * (q[2] * q[3] + q[0] * q[1]),
                             1 - 2 * (q[1] * q[1] + q[2] * q[2])}};
    const double s[3] = {s1, s2, s3};
    double m[3][3];
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) {
        m[i][j] = 0;
        for (int k = 0; k < 3; ++k) m[i][j] += r[i][k] * s[k] * r[j][k];
      }
    }
    StressValues values;
    values.slot = {m[0][0], m[1][1], m[2][2], m[0][1], m[1][2], m[2][0]};
    return values;
  }

  // Returns a state of the given kind; every kind stresses another weakness
  // of the closed-form solution.
  StressValues Next(int kind) {
    StressValues v;
    const double scale = Magnitude();
    switch (kind) {
      case 0:  // general, any magnitude
        for (double& c : v.slot) c = Signed() * scale;
        break;
      case 1:  // repeated principal stresses, exactly on the axes or rotated
      {
        const double a = Signed() * scale, b = Signed() * scale;
        if (Pick(2) == 0) {
          v.slot = {a, a, b, 0, 0, 0};
          std::swap(v.slot[Pick(3)], v.slot[2]);
        } else {
          v = Rotated(a, a, b);
        }
        break;
      }
      case 2:  // nearly repeated, as typed
      {
        const double a = Typed();
        v.slot = {a, a + 0.01 * (Pick(3) - 1), Typed(), 0, 0, 0};
        if (Pick(2) == 0) v.slot[3] = 0.001 * Signed();
        break;
      }
      case 3:  // uniaxial, biaxial, hydrostatic
      {
        const double a = Signed() * scale;
        const double b = Pick(2) == 0 ? a : Signed() * scale;
        const double c = Pick(3) == 0 ? a : 0;
        v.slot = {a, b, c, 0, 0, 0};
        if (Pick(2) == 0) std::rotate(v.slot.begin(), v.slot.begin() + Pick(3), v.slot.begin() + 3);
        break;
      }
      case 4:  // pure shear and shear with mixed signs
        v.slot = {0, 0, 0, 0, 0, 0};
        v.slot[3 + Pick(3)] = Signed() * scale;
        if (Pick(2) == 0) v.slot[Pick(3)] = -Signed() * scale;
        break;
      case 5:  // one component 1e12 times the others
        for (double& c : v.slot) c = Signed() * scale;
        v.slot[Pick(6)] *= 1e12;
        break;
      case 6:  // typed values
        for (double& c : v.slot) c = Typed();
        break;
      default:  // rotated with distinct principal stresses of mixed magnitude
        v = Rotated(Signed() * scale, Signed() * scale * 1e-3, Signed() * scale);
        break;
    }
    return v;
  }

 private:
  std::mt19937_64 rng_;
};

// Returns the exponent that brings the largest magnitude into [0.5, 1), so
// that invariants of the scaled state can be compared without overflow.
int ExponentOf(std::initializer_list<double> values) {
  double largest = 0;
  for (double v : values) largest = std::max(largest, std::fabs(v));
  int e = 0;
  std::frexp(largest, &e);
  return e;
}

std::string Describe(const StressValues& v) {
  char text[200];
  std::snprintf(text, sizeof text, "state %.17g %.17g %.17g %.17g %.17g %.17g", v.slot[0],
                v.slot[1], v.slot[2], v.slot[3], v.slot[4], v.slot[5]);
  return text;
}

// Checks GEH <= SH <= 2/sqrt(3) GEH and NH >= SH / 2, relative to `scale`.
void ExpectHypothesisBounds(double geh, double nh, double sh, double scale,
                            const std::string& what) {
  const double slack = kTolerance * scale;
  EXPECT_LE(geh, sh + slack) << what;
  EXPECT_LE(sh, 2 / std::sqrt(3.0) * geh + slack) << what;
  EXPECT_GE(nh, sh / 2 - slack) << what;
}

TEST(StressPropertiesTest, SpatialPrincipalStressesReproduceTheInvariants) {
  StressGenerator generator(20261208);
  int violations = 0;
  for (int n = 0; n < 8 * kStatesPerKind && violations < 10; ++n) {
    const StressValues v = generator.Next(n % 8);
    Workspace workspace;
    workspace.values = v;
    const double geh = EquivalentStress(StressState::Spatial, Hypothesis::GEH, &workspace);
    const double sh = EquivalentStress(StressState::Spatial, Hypothesis::SH, &workspace);
    const double nh = EquivalentStress(StressState::Spatial, Hypothesis::NH, &workspace);
    const StressResults& r = workspace.results;
    const std::string what = Describe(v);
    if (std::isnan(geh) || std::isnan(nh) || std::isnan(sh) || std::isnan(r.Sig1) ||
        std::isnan(r.Sig2) || std::isnan(r.Sig3)) {
      ADD_FAILURE() << "not a number for " << what;
      ++violations;
      continue;
    }
    const int e = ExponentOf({v.slot[0], v.slot[1], v.slot[2], v.slot[3], v.slot[4], v.slot[5]});
    double s[6];
    for (int i = 0; i < 6; ++i) s[i] = std::ldexp(v.slot[i], -e);
    const double x = s[0], y = s[1], z = s[2], u = s[3], w = s[4], t = s[5];
    const double i1 = x + y + z;
    const double i2 = x * y + y * z + z * x - u * u - w * w - t * t;
    const double i3 = x * y * z + 2 * u * w * t - x * w * w - y * t * t - z * u * u;
    const double p1 = std::ldexp(r.Sig1, -e), p2 = std::ldexp(r.Sig2, -e),
                 p3 = std::ldexp(r.Sig3, -e);
    const bool holds = std::fabs(p1 + p2 + p3 - i1) <= 3 * kTolerance &&
                       std::fabs(p1 * p2 + p2 * p3 + p3 * p1 - i2) <= 9 * kTolerance &&
                       std::fabs(p1 * p2 * p3 - i3) <= 27 * kTolerance &&
                       p2 <= std::min(p1, p3) + kTolerance;
    if (!holds) {
      ADD_FAILURE() << "invariants missed for " << what << ": " << r.Sig1 << " " << r.Sig2 << " "
                    << r.Sig3;
      ++violations;
    }
    ExpectHypothesisBounds(std::ldexp(geh, -e), std::ldexp(nh, -e), std::ldexp(sh, -e), 3, what);
  }
}

TEST(StressPropertiesTest, InPlaneAndAxisymmetricStatesKeepTheirOrderAndBounds) {
  StressGenerator generator(7);
  for (int n = 0; n < 8 * kStatesPerKind; ++n) {
    const StressValues v = generator.Next(n % 8);
    Workspace workspace;
    workspace.values = v;
    workspace.plate.slot = {v.slot[3], v.slot[4], v.slot[5]};
    const std::string what = Describe(v);
    for (StressState state : {StressState::Plane, StressState::Axisymmetric, StressState::Plate}) {
      const double geh = EquivalentStress(state, Hypothesis::GEH, &workspace);
      const double sh = EquivalentStress(state, Hypothesis::SH, &workspace);
      const double nh = EquivalentStress(state, Hypothesis::NH, &workspace);
      const StressResults& r = workspace.results;
      ASSERT_FALSE(std::isnan(geh) || std::isnan(nh) || std::isnan(sh) || std::isnan(r.Sig1) ||
                   std::isnan(r.Sig2))
          << what;
      if (state == StressState::Axisymmetric) {
        ASSERT_LE(r.Sig1, r.Sig2) << what;
      } else {
        ASSERT_GE(r.Sig1, r.Sig2) << what;
      }
      const int e = ExponentOf({v.slot[0], v.slot[1], v.slot[2], v.slot[3], v.slot[4], v.slot[5]});
      ExpectHypothesisBounds(std::ldexp(geh, -e), std::ldexp(nh, -e), std::ldexp(sh, -e), 3, what);
      if (HasFailure()) return;
    }
  }
}

}  // namespace

}  // namespace vergleichsspannung
