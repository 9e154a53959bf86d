#include "stress/hypotheses.h"

#include <cmath>
#include <limits>

#include "stress/ieee_double.h"
#include "stress/picks.h"
#include "stress/principal.h"
#include "stress/scale.h"

namespace vergleichsspannung {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Returns the root of a scaled radicand, scaled back; a radicand that rounding
// pushed below zero is the zero it is in exact arithmetic.
double ScaledRoot(double radicand, const PowerOfTwoScale& scale) {
  return scale.Up(SqrtOfRounded(radicand));
}

// Returns `pick` over the three principal stresses just solved, picked while
// still scaled and only then scaled back; when the state was rejected, marks
// them unknown so that no earlier result is read as this one's, and returns
// not-a-number.
double PickOfThree(SolveResult solved, const ScaledPrincipalStresses& scaled,
                   StressResults* results, double (*pick)(double, double, double)) {
  if (solved == SolveResult::Rejected) {
    results->Sig1 = results->Sig2 = results->Sig3 = kNotANumber;
    return kNotANumber;
  }
  return scaled.scale.Up(pick(scaled.sig1, scaled.sig2, scaled.sig3));
}

// Returns `pick` over the two in-plane principal stresses, as PickOfThree.
double PickOfTwo(SolveResult solved, const ScaledPrincipalStresses& scaled, StressResults* results,
                 double (*pick)(double, double)) {
  if (solved == SolveResult::Rejected) {
    results->Sig1 = results->Sig2 = kNotANumber;
    return kNotANumber;
  }
  return scaled.scale.Up(pick(scaled.sig1, scaled.sig2));
}

}  // namespace

double SpatialGEH(const StressValues& values) {
  double x = values.slot[0], y = values.slot[1], z = values.slot[2];
  double u = values.slot[3], v = values.slot[4], w = values.slot[5];
  if (!AllFinite({x, y, z, u, v, w})) return kNotANumber;
  const PowerOfTwoScale scale({x, y, z, u, v, w});
  x = scale.Down(x), y = scale.Down(y), z = scale.Down(z);
  u = scale.Down(u), v = scale.Down(v), w = scale.Down(w);
  return ScaledRoot(x * x + y * y + z * z - (y * x + z * y + z * x) + 3 * (u * u + v * v + w * w),
                    scale);
}

double PlaneGEH(double a, double b, double t) {
  if (!AllFinite({a, b, t})) return kNotANumber;
  const PowerOfTwoScale scale({a, b, t});
  a = scale.Down(a), b = scale.Down(b), t = scale.Down(t);
  return ScaledRoot(a * a + b * b - b * a + 3 * t * t, scale);
}

double AxisymmetricGEH(const StressValues& values) {
  double r = values.slot[0], z = values.slot[1], t = values.slot[2], h = values.slot[3];
  if (!AllFinite({r, z, t, h})) return kNotANumber;
  const PowerOfTwoScale scale({r, z, t, h});
  r = scale.Down(r), z = scale.Down(z), t = scale.Down(t), h = scale.Down(h);
  return ScaledRoot(r * r + h * h + z * z - (h * r + z * h + z * r) + 3 * t * t, scale);
}

namespace {

// The nine routines only EquivalentStress calls; the plate routines are the
// plane ones applied to PlateValues.
double SpatialNH(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfThree(PrincipalSpatial(values, results, &scaled), scaled, results, MaxAbsPick);
}

double SpatialSH(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfThree(PrincipalSpatial(values, results, &scaled), scaled, results, SpanPick);
}

double PlaneNH(double a, double b, double t, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfTwo(PrincipalInPlane(a, b, t, results, &scaled), scaled, results, MaxAbsPick);
}

double PlaneSH(double a, double b, double t, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfTwo(PrincipalInPlane(a, b, t, results, &scaled), scaled, results, SpanPickWithZero);
}

double AxisymmetricNH(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfThree(PrincipalAxisymmetric(values, results, &scaled), scaled, results, MaxAbsPick);
}

double AxisymmetricSH(const StressValues& values, StressResults* results) {
  ScaledPrincipalStresses scaled;
  return PickOfThree(PrincipalAxisymmetric(values, results, &scaled), scaled, results, SpanPick);
}

double PlateGEH(const PlateValues& plate) {
  return PlaneGEH(plate.slot[0], plate.slot[1], plate.slot[2]);
}

double PlateNH(const PlateValues& plate, StressResults* results) {
  return PlaneNH(plate.slot[0], plate.slot[1], plate.slot[2], results);
}

double PlateSH(const PlateValues& plate, StressResults* results) {
  return PlaneSH(plate.slot[0], plate.slot[1], plate.slot[2], results);
}

}  // namespace

double EquivalentStress(StressState state, Hypothesis hypothesis, Workspace* workspace) {
  const StressValues& values = workspace->values;
  const PlateValues& plate = workspace->plate;
  StressResults* results = &workspace->results;
  const double a = values.slot[0], b = values.slot[1], t = values.slot[2];
  switch (state) {
    case StressState::Spatial:
      if (hypothesis == Hypothesis::GEH) return SpatialGEH(values);
      if (hypothesis == Hypothesis::NH) return SpatialNH(values, results);
      return SpatialSH(values, results);
    case StressState::Plane:
      if (hypothesis == Hypothesis::GEH) return PlaneGEH(a, b, t);
      if (hypothesis == Hypothesis::NH) return PlaneNH(a, b, t, results);
      return PlaneSH(a, b, t, results);
    case StressState::Axisymmetric:
      if (hypothesis == Hypothesis::GEH) return AxisymmetricGEH(values);
      if (hypothesis == Hypothesis::NH) return AxisymmetricNH(values, results);
      return AxisymmetricSH(values, results);
    case StressState::Plate:
      if (hypothesis == Hypothesis::GEH) return PlateGEH(plate);
      if (hypothesis == Hypothesis::NH) return PlateNH(plate, results);
      return PlateSH(plate, results);
  }
  return kNotANumber;
}

}  // namespace vergleichsspannung
