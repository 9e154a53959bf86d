// The equivalent stress SigV of the three strength hypotheses over the four
// stress states: distortion energy (GEH), normal stress (NH), shear stress (SH).
#ifndef VERGLEICHSSPANNUNG_STRESS_HYPOTHESES_H_
#define VERGLEICHSSPANNUNG_STRESS_HYPOTHESES_H_

#include "stress/workspace.h"

namespace vergleichsspannung {

// Returns the equivalent stress of `hypothesis` for `state`, computed from the
// workspace's StressValues (PlateValues for the plate state). NH and SH write
// the principal stresses they pick from into workspace->results (Sig1, Sig2
// and, for the spatial and axisymmetric states, Sig3); GEH writes nothing.
// SigV is never written. A component that is not finite yields not-a-number,
// written into the principal stresses as well.
double EquivalentStress(StressState state, Hypothesis hypothesis, Workspace* workspace);

// The distortion-energy routines of three states, which EquivalentStress
// calls: each returns SigV of the components it is given and writes nothing.
// PlaneGEH takes SigXX, SigYY and TauXY.
double SpatialGEH(const StressValues& values);
double PlaneGEH(double a, double b, double t);
double AxisymmetricGEH(const StressValues& values);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_HYPOTHESES_H_
