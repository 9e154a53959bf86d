#include "command_line/stress_row.h"

#include <cmath>
#include <limits>

#include "stress/hypotheses.h"
#include "stress/picks.h"
#include "stress/principal.h"

namespace vergleichsspannung {

namespace {

constexpr int kGEH = static_cast<int>(Hypothesis::GEH) - kFirstHypothesis;
constexpr int kNH = static_cast<int>(Hypothesis::NH) - kFirstHypothesis;
constexpr int kSH = static_cast<int>(Hypothesis::SH) - kFirstHypothesis;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// The distortion energy of each state, from the dialogue's routines.
double DistortionEnergy(StressState state, const Workspace& w) {
  switch (state) {
    case StressState::Spatial:
      return SpatialGEH(w.values);
    case StressState::Plane:
      return PlaneGEH(w.values.slot[0], w.values.slot[1], w.values.slot[2]);
    case StressState::Axisymmetric:
      return AxisymmetricGEH(w.values);
    case StressState::Plate:
      return PlateGEH(w.plate);
  }
  return kNotANumber;
}

// Solves for the principal stresses once and picks SigV of NH and SH from
// them as the dialogue's NH and SH routines do (SpatialNH, PlaneSH, ...): on
// the stresses still scaled, scaled back after the pick. A table of states
// costs one solve per row this way instead of one per hypothesis.
void PrincipalAndPicks(StressState state, const Workspace& w, StateResult* result) {
  StressResults principal;
  ScaledPrincipalStresses scaled;
  const double a = w.values.slot[0], b = w.values.slot[1], t = w.values.slot[2];
  const bool in_plane = state == StressState::Plane || state == StressState::Plate;
  SolveResult solved = SolveResult::Rejected;
  if (state == StressState::Spatial) solved = PrincipalSpatial(w.values, &principal, &scaled);
  if (state == StressState::Axisymmetric) {
    solved = PrincipalAxisymmetric(w.values, &principal, &scaled);
  }
  if (in_plane) solved = PrincipalInPlane(a, b, t, &principal, &scaled);
  if (solved == SolveResult::Rejected) {
    result->principal = {kNotANumber, kNotANumber, kNotANumber};
    result->equivalent[kNH] = result->equivalent[kSH] = kNotANumber;
    return;
  }
  result->principal = {principal.Sig1, principal.Sig2, principal.Sig3};
  const PowerOfTwoScale& scale = scaled.scale;
  result->equivalent[kNH] = scale.Up(in_plane ? MaxAbsPick(scaled.sig1, scaled.sig2)
                                              : MaxAbsPick(scaled.sig1, scaled.sig2, scaled.sig3));
  result->equivalent[kSH] = scale.Up(in_plane ? SpanPickWithZero(scaled.sig1, scaled.sig2)
                                              : SpanPick(scaled.sig1, scaled.sig2, scaled.sig3));
}

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

  PrincipalAndPicks(state, workspace, &result);
  if (!chosen[kNH]) result.equivalent[kNH] = 0;
  if (!chosen[kSH]) result.equivalent[kSH] = 0;
  if (chosen[kGEH]) result.equivalent[kGEH] = DistortionEnergy(state, workspace);
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
