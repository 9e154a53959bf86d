// What each stress state takes and reports, in the dialogue's words: its
// components in the order the dialogue asks for them, how many principal
// stresses its report prints, and the hypotheses' short names. Plain data for
// every output that names values (tables, pictures); no I/O.
#ifndef VERGLEICHSSPANNUNG_STRESS_STATE_COMPONENTS_H_
#define VERGLEICHSSPANNUNG_STRESS_STATE_COMPONENTS_H_

#include <array>

#include "stress/workspace.h"

namespace vergleichsspannung {

// The most components a state takes: the spatial state's six.
constexpr int kMaxStateComponents = 6;

// One stress state's components and results.
struct StateComponents {
  int components;          // values the state takes: 6, 3, 4 or 3
  int principal_stresses;  // 3 where the report prints Sig3, else 2
  // SigXX, SigYY, ... in the dialogue's order; "" past `components`.
  std::array<const char*, kMaxStateComponents> component_names;
};

// Returns the components of `state`.
// REQUIRES: `state` is one of the StressState values.
const StateComponents& StateComponentsOf(StressState state);

// Returns "GEH", "NH" or "SH".
// REQUIRES: `hypothesis` is one of the Hypothesis values.
const char* HypothesisName(Hypothesis hypothesis);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_STATE_COMPONENTS_H_
