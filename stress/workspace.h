// The records the calculator works on: the chosen stress state and hypothesis,
// the typed stress components and the results of the last computation.
#ifndef VERGLEICHSSPANNUNG_STRESS_WORKSPACE_H_
#define VERGLEICHSSPANNUNG_STRESS_WORKSPACE_H_

#include <array>

namespace vergleichsspannung {

// The stress states, numbered as the user types them at the state prompt.
enum class StressState { Spatial = 1, Plane = 2, Axisymmetric = 3, Plate = 4 };

// The strength hypotheses, numbered as the user types them.
enum class Hypothesis { GEH = 1, NH = 2, SH = 3 };

constexpr int kFirstStressState = 1;
constexpr int kLastStressState = 4;
constexpr int kFirstHypothesis = 1;
constexpr int kLastHypothesis = 3;

// Six stress components in N/mm². What a slot means depends on the state:
//   slot[0]  SigXX  (axisymmetric: SigRR, radial)
//   slot[1]  SigYY  (axisymmetric: SigZZ, axial)
//   slot[2]  SigZZ  (plane, plate entry: TauXY; axisymmetric: TauRZ)
//   slot[3]  TauXY  (axisymmetric: SigTE, hoop stress; plane, plate: unused)
//   slot[4]  TauYZ  (spatial only)
//   slot[5]  TauZX  (spatial only)
// Switching the state never converts or clears a slot.
struct StressValues {
  std::array<double, 6> slot{500, 400, 300, 300, 400, 500};
};

// The plate's own components in N/mm²: slot[0] SigXX, slot[1] SigYY,
// slot[2] TauXY. The plate state computes from this record only.
struct PlateValues {
  std::array<double, 3> slot{0, 0, 0};
};

// Principal stresses and the equivalent stress of the last computation, in
// N/mm². A computation that writes only some fields leaves the others as they were.
struct StressResults {
  double Sig1 = 0;
  double Sig2 = 0;
  double Sig3 = 0;
  double SigV = 0;
};

// Everything the calculator knows; one per process, created with the start values.
struct Workspace {
  StressState state = StressState::Spatial;
  Hypothesis hypothesis = Hypothesis::NH;
  StressValues values;
  PlateValues plate;
  StressResults results;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_WORKSPACE_H_
