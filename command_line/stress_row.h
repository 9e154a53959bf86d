// The results of one stress state as the command line reports them: the
// principal stresses the dialogue's report prints and SigV of each chosen
// hypothesis, computed by the dialogue's own routines.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_STRESS_ROW_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_STRESS_ROW_H_

#include <array>

#include "command_line/state_table.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Which hypotheses a run reports, indexed by Hypothesis - kFirstHypothesis.
using HypothesisChoice = std::array<bool, 3>;

// Every hypothesis: what a run reports when none is chosen.
constexpr HypothesisChoice kAllHypotheses = {true, true, true};

// One stress state and what it comes to; a record any output can take.
struct StateResult {
  StressState state = StressState::Spatial;
  // The components in the dialogue's order for the state; the rest are 0.
  std::array<double, kMaxStateComponents> components{};
  // Sig1, Sig2 and, where the state has one, Sig3, as the dialogue's NH and
  // SH report prints them (Sig3 is 0 where the state has none).
  std::array<double, 3> principal{};
  // SigV of each hypothesis, indexed as HypothesisChoice; what is not chosen
  // is not computed and holds 0.
  std::array<double, 3> equivalent{};
  HypothesisChoice chosen = kAllHypotheses;
};

// Computes the principal stresses of `components` (StateComponentsOf(state)
// .components of them, in the dialogue's order) and SigV of each hypothesis
// `chosen` names, exactly as the dialogue's report does for the same values.
// Results beyond the double range come out as infinity.
// REQUIRES: every component is finite.
StateResult ComputeState(StressState state, const double* components,
                         const HypothesisChoice& chosen);

// Returns true when every result of `result` that is reported is finite.
bool AllResultsFinite(const StateResult& result);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_STRESS_ROW_H_
