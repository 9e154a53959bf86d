// Principal stresses of the three kinds of stress tensor the calculator knows.
// Each routine writes into StressResults only; none touches SigV.
#ifndef VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_
#define VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_

#include "stress/workspace.h"

// Solved: the principal stresses were written. Rejected: a component was not
// a finite number, and nothing was written.
enum class SolveResult { Solved, Rejected };

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

#endif  // VERGLEICHSSPANNUNG_STRESS_PRINCIPAL_H_
