#include "stress/principal.h"

#include <cmath>

#include "stress/scale.h"

namespace {

// The 60° step between the roots of the characteristic cubic, rounded to four
// places. Printed results depend on this exact value, so it is not pi/3.
constexpr double kAngleStep = 1.0472;

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

SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results) {
  if (!AllFinite({a, b, t})) return SolveResult::Rejected;
  const PowerOfTwoScale scale({a, b, t});
  a = scale.Down(a);
  b = scale.Down(b);
  t = scale.Down(t);

  const double radius = std::sqrt(std::pow(a - b, 2) / 4 + t * t);
  const double centre = (b + a) / 2;
  results->Sig1 = scale.Up(centre + radius);
  results->Sig2 = scale.Up(centre - radius);
  return SolveResult::Solved;
}

SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results) {
  double r = values.slot[0];
  double z = values.slot[1];
  double t = values.slot[2];
  double h = values.slot[3];
  if (!AllFinite({r, z, t, h})) return SolveResult::Rejected;
  const PowerOfTwoScale scale({r, z, t});
  r = scale.Down(r);
  z = scale.Down(z);
  t = scale.Down(t);

  // Twice the radius of Mohr's circle in the r-z plane, in the expanded form
  // whose rounding the printed results carry.
  const double g = SqrtOfRounded(r * r - 2 * r * z + z * z + 4 * t * t);
  results->Sig1 = scale.Up(0.5 * ((r - g) + z));
  results->Sig2 = scale.Up(0.5 * ((r + g) + z));
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
  const PowerOfTwoScale scale({x, y, z, u, v, w});
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
  const double c = std::sqrt(Cube(std::fabs(p) / 3));
  if (c == 0) {
    // p = 0 leaves a triple root: the hydrostatic state.
    results->Sig1 = results->Sig2 = results->Sig3 = scale.Up(mean);
    return SolveResult::Solved;
  }
  // With two nearly equal roots rounding can carry the cosine just past +-1.
  const double cosine = std::fmin(std::fmax(-q / 2 / c, -1.0), 1.0);
  const double phi = std::acos(cosine);
  const double k = std::sqrt(std::fabs(p) / 3);
  results->Sig1 = scale.Up(mean + 2 * k * std::cos(phi / 3));
  results->Sig2 = scale.Up(mean + -2 * k * std::cos(phi / 3 - kAngleStep));
  results->Sig3 = scale.Up(mean + -2 * k * std::cos(phi / 3 + kAngleStep));
  return SolveResult::Solved;
}
