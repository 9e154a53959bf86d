#include "command_line/stress_row.h"

#include <cmath>

#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

constexpr int kNH = static_cast<int>(Hypothesis::NH) - kFirstHypothesis;
constexpr int kSH = static_cast<int>(Hypothesis::SH) - kFirstHypothesis;

constexpr Hypothesis kHypotheses[] = {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH};

}  // namespace

StateResult ComputeState(StressState state, const double* components,
                         const HypothesisChoice& chosen) {
  const StateComponents& columns = StateComponentsOf(state);
  StateResult result;
  result.state = state;
  result.chosen = chosen;
  Workspace workspace;
  for (int i = 0; i < columns.components; ++i) {
    result.components[i] = components[i];
    workspace.values.slot[i] = components[i];
  }
  // The plate computes from its own record, as the dialogue's plate entry fills it.
  for (int i = 0; i < 3; ++i) workspace.plate.slot[i] = workspace.values.slot[i];

  // Each SigV from the routine the dialogue's report calls, and the principal
  // stresses as its NH and SH report prints them: a table's results are the
  // dialogue's to the last digit, whatever the solver does inside.
  for (const Hypothesis hypothesis : kHypotheses) {
    const int h = static_cast<int>(hypothesis) - kFirstHypothesis;
    if (chosen[h]) result.equivalent[h] = EquivalentStress(state, hypothesis, &workspace);
  }
  if (!chosen[kNH] && !chosen[kSH]) EquivalentStress(state, Hypothesis::NH, &workspace);
  const bool in_plane = state == StressState::Plane || state == StressState::Plate;
  const StressResults& principal = workspace.results;
  result.principal = {principal.Sig1, principal.Sig2, in_plane ? 0.0 : principal.Sig3};
  return result;
}

bool AllResultsFinite(const StateResult& result) {
  bool finite = std::isfinite(result.principal[0]) && std::isfinite(result.principal[1]) &&
                std::isfinite(result.principal[2]);
  for (int h = 0; h < 3; ++h) {
    if (result.chosen[h]) finite = finite && std::isfinite(result.equivalent[h]);
  }
  return finite;
}

}  // namespace vergleichsspannung
