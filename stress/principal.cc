#include "stress/principal.h"

#include <cmath>

#include "stress/scale.h"

namespace {

// The 60° step between the roots of the characteristic cubic, rounded to four
// places. Printed results depend on this exact value, so it is not pi/3.
constexpr double kAngleStep = 1.0472;

// Returns sqrt(radicand), taking a radicand that rounding pushed below zero
// as the zero it is in exact arithmetic.
double SqrtOfRounded(double radicand) { return std::sqrt(std::fmax(radicand, 0.0)); }

}  // namespace

SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results) {
  if (!AllFinite({a, b, t})) return SolveResult::Rejected;
  const int e = ScaleExponent({a, b, t});
  a = std::ldexp(a, -e);
  b = std::ldexp(b, -e);
  t = std::ldexp(t, -e);

  const double radius = std::sqrt(std::pow(a - b, 2) / 4 + t * t);
  const double centre = (b + a) / 2;
  results->Sig1 = std::ldexp(centre + radius, e);
  results->Sig2 = std::ldexp(centre - radius, e);
  return SolveResult::Solved;
}

SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results) {
  double r = values.slot[0];
  double z = values.slot[1];
  double t = values.slot[2];
  double h = values.slot[3];
  if (!AllFinite({r, z, t, h})) return SolveResult::Rejected;
  const int e = ScaleExponent({r, z, t});
  r = std::ldexp(r, -e);
  z = std::ldexp(z, -e);
  t = std::ldexp(t, -e);

  // Twice the radius of Mohr's circle in the r-z plane, in the expanded form
  // whose rounding the printed results carry.
  const double g = SqrtOfRounded(r * r - 2 * r * z + z * z + 4 * t * t);
  results->Sig1 = std::ldexp(0.5 * ((r - g) + z), e);
  results->Sig2 = std::ldexp(0.5 * ((r + g) + z), e);
  results->Sig3 = h;
  return SolveResult::Solved;
}

SolveResult PrincipalSpatial(const StressValues& values, StressResults* results) {
  double x = values.slot[0];
  double y = values.slot[1];
  double z = values.slot[2];
  double u = values.slot[3];
  double v = values.slot[4];
  double w = values.slot[5];
  if (!AllFinite({x, y, z, u, v, w})) return SolveResult::Rejected;
  const int e = ScaleExponent({x, y, z, u, v, w});
  x = std::ldexp(x, -e);
  y = std::ldexp(y, -e);
  z = std::ldexp(z, -e);
  u = std::ldexp(u, -e);
  v = std::ldexp(v, -e);
  w = std::ldexp(w, -e);

  // Invariants of the stress tensor, summed in the order that fixes the
  // printed digits in cancelling cases.
  const double i1 = y + x + z;
  const double i2 = y * x + z * x + z * y - u * u - w * w - v * v;
  const double i3 = y * x * z - v * x * v + v * u * w - u * z * u + u * w * v - w * y * w;

  // Reduced cubic e^3 + p e + q = 0 after s = e + I1/3. A symmetric tensor has
  // three real roots, so p <= 0; |p| absorbs a rounding just above zero.
  const double p = i2 - i1 * i1 / 3;
  const double q = i2 * i1 / 3 - 2 * i1 * i1 * i1 / 27 - i3;
  const double mean = i1 / 3;
  const double c = std::sqrt(std::pow(std::fabs(p) / 3, 3));
  if (c == 0) {
    // p = 0 leaves a triple root: the hydrostatic state.
    results->Sig1 = results->Sig2 = results->Sig3 = std::ldexp(mean, e);
    return SolveResult::Solved;
  }
  // With two nearly equal roots rounding can carry the cosine just past +-1.
  const double cosine = std::fmin(std::fmax(-q / 2 / c, -1.0), 1.0);
  const double phi = std::acos(cosine);
  const double k = std::sqrt(std::fabs(p) / 3);
  results->Sig1 = std::ldexp(mean + 2 * k * std::cos(phi / 3), e);
  results->Sig2 = std::ldexp(mean + -2 * k * std::cos(phi / 3 - kAngleStep), e);
  results->Sig3 = std::ldexp(mean + -2 * k * std::cos(phi / 3 + kAngleStep), e);
  return SolveResult::Solved;
}
