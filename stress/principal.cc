#include "stress/principal.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "stress/elementary.h"
#include "stress/ieee_double.h"

namespace vergleichsspannung {

namespace {

// The 60° step between the roots of the characteristic cubic, rounded to four
// places. Printed results depend on this exact value, so it is not pi/3.
// Its cosine and sine turn one cosine and sine of phi/3 into all three roots:
// cos(a -+ step) = cos a cos step +- sin a sin step.
constexpr double kCosStep = 0.499997879272545617;  // cos(1.0472)
constexpr double kSinStep = 0.866026628183543152;  // sin(1.0472)

// Beyond this magnitude of cos(3 phi) the cube root below is taken exactly.
constexpr double kExactCubeAbove = 0.99;
// Thirds taken as a product, where a rounding apart from the quotient moves a
// principal stress by about 1e-16 of the deviatoric scale, far below what prints.
constexpr double kOneThird = 1.0 / 3;

// Returns the rounding error of a * b: a * b == product + error exactly
// (Dekker's product, no overflow for the scaled values it sees here).
double ProductError(double a, double b, double product) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1 splits a double into halves
  const double a_big = kSplit * a, b_big = kSplit * b;
  const double a_high = a_big - (a_big - a), a_low = a - a_high;
  const double b_high = b_big - (b_big - b), b_low = b - b_high;
  return ((a_high * b_high - product) + a_high * b_low + a_low * b_high) + a_low * b_low;
}

// Returns x^3 rounded once, as pow(x, 3) returns it, at a fraction of its cost.
double Cube(double x) {
  const double square = x * x;
  const double square_error = ProductError(x, x, square);
  const double cube = square * x;
  return cube + (ProductError(square, x, cube) + square_error * x);
}

}  // namespace

SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results,
                             ScaledPrincipalStresses* scaled) {
  assert(scaled != nullptr);
  if (!AllFinite({a, b, t})) return SolveResult::Rejected;
  const PowerOfTwoScale scale({a, b, t});
  a = scale.Down(a);
  b = scale.Down(b);
  t = scale.Down(t);

  const double radius = std::sqrt((a - b) * (a - b) / 4 + t * t);
  const double centre = (b + a) / 2;
  *scaled = {scale, centre + radius, centre - radius, 0};
  results->Sig1 = scale.Up(scaled->sig1);
  results->Sig2 = scale.Up(scaled->sig2);
  return SolveResult::Solved;
}

SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results,
                                  ScaledPrincipalStresses* scaled) {
  assert(scaled != nullptr);
  double r = values.slot[0];
  double z = values.slot[1];
  double t = values.slot[2];
  const double h = values.slot[3];
  if (!AllFinite({r, z, t, h})) return SolveResult::Rejected;
  // The r-z plane on its own scale, so a large hoop stress costs it no digits.
  const PowerOfTwoScale scale({r, z, t});
  r = scale.Down(r);
  z = scale.Down(z);
  t = scale.Down(t);

  // Twice the radius of Mohr's circle in the r-z plane, in the expanded form
  // whose rounding the printed results carry.
  const double g = SqrtOfRounded(r * r - 2 * r * z + z * z + 4 * t * t);
  const double sig1 = 0.5 * ((r - g) + z);
  const double sig2 = 0.5 * ((r + g) + z);
  results->Sig1 = scale.Up(sig1);
  results->Sig2 = scale.Up(sig2);
  results->Sig3 = h;
  // The in-plane principal stresses lie within 2 * max(|r|, |z|, |t|), so the
  // scale of all four components holds all three.
  const PowerOfTwoScale common({values.slot[0], values.slot[1], values.slot[2], h});
  *scaled = {common, common.From(scale, sig1), common.From(scale, sig2), common.Down(h)};
  return SolveResult::Solved;
}

namespace {

// Returns cos(3 phi) of the reduced cubic with coefficients p and q, and in
// *c the c it divides by.
// cos(3 phi) = -q / 2 / c with c = sqrt(third_p^3). A c taken as a product
// of a rough third is within two ulps of it, and that matters only near +-1,
// where acos magnifies it: two nearly equal roots, whose printed digits hang
// on c taken as sqrt(pow(third_p, 3)). There the cube is rounded once, as pow
// rounds it, and the cosine clamped, as rounding can carry it just past +-1.
double CosineOfTripleAngle(double p, double q, double third_p, double* c) {
  const double rough_third_p = std::fabs(p) * kOneThird;
  *c = rough_third_p * std::sqrt(rough_third_p);
  double cosine = *c > 0 ? -q / 2 / *c : 1;
  if (!(std::fabs(cosine) < kExactCubeAbove)) {
    *c = std::sqrt(Cube(third_p));
    cosine = *c > 0 ? std::clamp(-q / 2 / *c, -1.0, 1.0) : 1;
  }
  return cosine;
}

}  // namespace

SolveResult PrincipalSpatial(const StressValues& values, StressResults* results,
                             ScaledPrincipalStresses* scaled) {
  assert(scaled != nullptr);
  double x = values.slot[0];
  double y = values.slot[1];
  double z = values.slot[2];
  double u = values.slot[3];
  double v = values.slot[4];
  double w = values.slot[5];
  // One pass over the components both rejects what is not finite and scales.
  const std::uint64_t largest = LargestMagnitudeBits({x, y, z, u, v, w});
  if (largest >= kNotFiniteBits) return SolveResult::Rejected;
  const PowerOfTwoScale scale = PowerOfTwoScale::OfLargest(largest);
  x = scale.Down(x);
  y = scale.Down(y);
  z = scale.Down(z);
  u = scale.Down(u);
  v = scale.Down(v);
  w = scale.Down(w);

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
  const double third_p = std::fabs(p) / 3;
  const double k = std::sqrt(third_p);
  double c = 0;
  const double cosine = CosineOfTripleAngle(p, q, third_p, &c);
  if (c == 0) {
    // p = 0 leaves a triple root: the hydrostatic state.
    *scaled = {scale, mean, mean, mean};
  } else {
    // The program's own arc cosine, cosine and sine: the same bits on every
    // machine, where a maths library's differ in the last place now and then.
    const CosineSine third = CosineAndSine(ArcCosine(cosine) * kOneThird);
    const double cos_third = third.cosine;
    const double sin_third = third.sine;
    *scaled = {scale, mean + 2 * k * cos_third,
               mean + -2 * k * (cos_third * kCosStep + sin_third * kSinStep),
               mean + -2 * k * (cos_third * kCosStep - sin_third * kSinStep)};
  }
  results->Sig1 = scale.Up(scaled->sig1);
  results->Sig2 = scale.Up(scaled->sig2);
  results->Sig3 = scale.Up(scaled->sig3);
  return SolveResult::Solved;
}

SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PrincipalInPlane(a, b, t, results, &scaled);
}

SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PrincipalAxisymmetric(values, results, &scaled);
}

SolveResult PrincipalSpatial(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PrincipalSpatial(values, results, &scaled);
}

}  // namespace vergleichsspannung
