#include "command_line/stress_row.h"

#include <cmath>

#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

constexpr int kGEH = static_cast<int>(Hypothesis::GEH) - kFirstHypothesis;
constexpr int kNH = static_cast<int>(Hypothesis::NH) - kFirstHypothesis;
constexpr int kSH = static_cast<int>(Hypothesis::SH) - kFirstHypothesis;

// The routines of one state, as the dialogue's report calls them: the NH
// routine also leaves the principal stresses the report prints.
struct StateRoutines {
  double (*geh)(const Workspace&);
  double (*nh)(const Workspace&, StressResults*);
  double (*sh)(const Workspace&, StressResults*);
};

constexpr StateRoutines kRoutines[] = {
    {[](const Workspace& w) { return SpatialGEH(w.values); },
     [](const Workspace& w, StressResults* r) { return SpatialNH(w.values, r); },
     [](const Workspace& w, StressResults* r) { return SpatialSH(w.values, r); }},
    {[](const Workspace& w) {
       return PlaneGEH(w.values.slot[0], w.values.slot[1], w.values.slot[2]);
     },
     [](const Workspace& w, StressResults* r) {
       return PlaneNH(w.values.slot[0], w.values.slot[1], w.values.slot[2], r);
     },
     [](const Workspace& w, StressResults* r) {
       return PlaneSH(w.values.slot[0], w.values.slot[1], w.values.slot[2], r);
     }},
    {[](const Workspace& w) { return AxisymmetricGEH(w.values); },
     [](const Workspace& w, StressResults* r) { return AxisymmetricNH(w.values, r); },
     [](const Workspace& w, StressResults* r) { return AxisymmetricSH(w.values, r); }},
    {[](const Workspace& w) { return PlateGEH(w.plate); },
     [](const Workspace& w, StressResults* r) { return PlateNH(w.plate, r); },
     [](const Workspace& w, StressResults* r) { return PlateSH(w.plate, r); }},
};

}  // namespace

StateResult ComputeState(StressState state, const double* components,
                         const HypothesisChoice& chosen) {
  const StateColumns& columns = StateColumnsOf(state);
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

  const StateRoutines& routines = kRoutines[static_cast<int>(state) - kFirstStressState];
  StressResults principal;
  const double nh = routines.nh(workspace, &principal);
  result.principal = {principal.Sig1, principal.Sig2,
                      columns.principal_stresses == 3 ? principal.Sig3 : 0};
  if (chosen[kNH]) result.equivalent[kNH] = nh;
  if (chosen[kGEH]) result.equivalent[kGEH] = routines.geh(workspace);
  if (chosen[kSH]) {
    StressResults unused;
    result.equivalent[kSH] = routines.sh(workspace, &unused);
  }
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
