// Mohr's circles of one stress state as a self-contained SVG picture: what to
// draw, filled by the same routines as the dialogue's report, and the picture.
#ifndef VERGLEICHSSPANNUNG_PICTURE_MOHR_PICTURE_H_
#define VERGLEICHSSPANNUNG_PICTURE_MOHR_PICTURE_H_

#include <array>
#include <string>
#include <vector>

#include "stress/workspace.h"

namespace vergleichsspannung {

// A named stress in N/mm²: a component (SigXX), a principal stress (Sig1) or
// the equivalent stress of a hypothesis (GEH).
struct MohrValue {
  std::string name;
  double value = 0;
};

// Everything the picture shows of one stress state.
struct MohrPicture {
  StressState state = StressState::Spatial;
  std::string state_name;  // names the state in the title: "plane state (Scheibe)"
  // The components as typed, in the dialogue's order for the state; for the
  // plane and plate states SigXX, SigYY, TauXY, which give the face points.
  std::vector<MohrValue> components;
  // Sig1, Sig2, Sig3 as the report names and prints them (so not sorted: the
  // axisymmetric Sig1 is the smaller in-plane one). For the plane and plate
  // states Sig3 is the stress normal to the plane, 0, which the report omits.
  std::array<MohrValue, 3> principal;
  // SigV of each chosen hypothesis, named GEH, NH or SH, in the order chosen.
  std::vector<MohrValue> equivalent;
};

// Returns true for the states whose third principal stress is the zero normal
// to the plane and whose components give the two face points.
bool IsInPlane(StressState state);

// Fills the picture of `state` with `components` in the dialogue's order for
// that state (SigXX, SigYY, SigZZ, TauXY, TauYZ, TauZX; SigXX, SigYY, TauXY;
// SigRR, SigZZ, TauRZ, SigTE; SigXX, SigYY, TauXY). The principal stresses and
// each SigV come from EquivalentStress exactly as the report computes them,
// so they carry the report's digits.
// REQUIRES: components.size() == StateComponentsOf(state).components.
MohrPicture MakeMohrPicture(StressState state, const std::vector<double>& components,
                            const std::vector<Hypothesis>& hypotheses);

// Returns the whole SVG file of `picture`: UTF-8, 800 x 600 units with a
// viewBox, no script and no external reference, the same bytes for the same
// picture on every machine. A state whose stresses are not finite or lie
// beyond what can be drawn (magnitudes outside 1e-280 to 1e280 N/mm², zero
// aside) gets the title, the values and a note instead of circles.
std::string MohrSvg(const MohrPicture& picture);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_PICTURE_MOHR_PICTURE_H_
