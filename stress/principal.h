// Principal stresses of the three kinds of stress tensor the calculator knows.
// Each routine writes into StressResults only; none touches SigV.
#ifndef VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_
#define VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_

#include "stress/scale.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Solved: the principal stresses were written. Rejected: a component was not
// a finite number, and nothing was written.
enum class SolveResult { Solved, Rejected };

// The principal stresses of one state on one power-of-two scale: the stresses
// are scale.Up(sig1) and so on. The hypotheses pick from these, so that a
// principal stress beyond the double range cannot spoil a span within it.
struct ScaledPrincipalStresses {
  PowerOfTwoScale scale;
  double sig1 = 0;
  double sig2 = 0;
  double sig3 = 0;  // 0 for the in-plane states: the stress normal to the plane
};

// Computes the in-plane principal stresses from SigXX a, SigYY b and TauXY t
// with Mohr's circle. On Solved, Sig1 >= Sig2 hold them; Sig3 is left untouched.
SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results);

// Computes the axisymmetric principal stresses from slots 1 to 4 (SigRR, SigZZ,
// TauRZ, SigTE). On Solved, Sig1 <= Sig2 are the two in the r-z plane and Sig3
// is the hoop stress.
SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results);

// Computes the principal stresses of the spatial tensor in slots 1 to 6
// (SigXX, SigYY, SigZZ, TauXY, TauYZ, TauZX) in closed trigonometric form,
// repeated principal stresses included. On Solved, Sig2 is the smallest; Sig1
// is the largest unless the two largest lie within about 5e-6 of the deviatoric
// scale of each other, where the 60° step rounded to 1.0472 lifts Sig3 above it.
SolveResult PrincipalSpatial(const StressValues& values, StressResults* results);

// As the three above, and on Solved also stores the same principal stresses,
// still scaled, in *scaled.
// REQUIRES: scaled != nullptr.
SolveResult PrincipalInPlane(double a, double b, double t, StressResults* results,
                             ScaledPrincipalStresses* scaled);
SolveResult PrincipalAxisymmetric(const StressValues& values, StressResults* results,
                                  ScaledPrincipalStresses* scaled);
SolveResult PrincipalSpatial(const StressValues& values, StressResults* results,
                             ScaledPrincipalStresses* scaled);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_
