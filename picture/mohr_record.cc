#include <cassert>

#include "picture/mohr_picture.h"
#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

struct StateNames {
  const char* title;
  const char* components[6];
};

// Indexed by StressState - 1; the component names are the dialogue's.
const StateNames kStateNames[] = {
    {"spatial state (räumlich)", {"SigXX", "SigYY", "SigZZ", "TauXY", "TauYZ", "TauZX"}},
    {"plane state (Scheibe)", {"SigXX", "SigYY", "TauXY"}},
    {"axisymmetric state (axialsymmetrisch)", {"SigRR", "SigZZ", "TauRZ", "SigTE"}},
    {"plate state (Platte)", {"SigXX", "SigYY", "TauXY"}},
};

const char* HypothesisName(Hypothesis hypothesis) {
  switch (hypothesis) {
    case Hypothesis::GEH:
      return "GEH";
    case Hypothesis::NH:
      return "NH";
    case Hypothesis::SH:
      return "SH";
  }
  return "";
}

// Returns a workspace holding `components` where the dialogue's entry puts
// them: the plate's replies land in StressValues and PlateValues alike.
Workspace WorkspaceOf(StressState state, const std::vector<double>& components) {
  Workspace workspace;
  workspace.state = state;
  for (std::size_t i = 0; i < components.size(); ++i) workspace.values.slot[i] = components[i];
  if (state == StressState::Plate) {
    for (std::size_t i = 0; i < workspace.plate.slot.size(); ++i) {
      workspace.plate.slot[i] = components[i];
    }
  }
  return workspace;
}

}  // namespace

bool IsInPlane(StressState state) {
  return state == StressState::Plane || state == StressState::Plate;
}

int ComponentCount(StressState state) {
  switch (state) {
    case StressState::Spatial:
      return 6;
    case StressState::Axisymmetric:
      return 4;
    case StressState::Plane:
    case StressState::Plate:
      break;
  }
  return 3;
}

MohrPicture MakeMohrPicture(StressState state, const std::vector<double>& components,
                            const std::vector<Hypothesis>& hypotheses) {
  assert(static_cast<int>(components.size()) == ComponentCount(state));
  const StateNames& names = kStateNames[static_cast<int>(state) - kFirstStressState];
  MohrPicture picture;
  picture.state = state;
  picture.state_name = names.title;
  for (std::size_t i = 0; i < components.size(); ++i) {
    picture.components.push_back({names.components[i], components[i]});
  }
  // NH writes the principal stresses the report prints for NH and SH alike.
  Workspace workspace = WorkspaceOf(state, components);
  EquivalentStress(state, Hypothesis::NH, &workspace);
  const StressResults& results = workspace.results;
  picture.principal = {MohrValue{"Sig1", results.Sig1}, MohrValue{"Sig2", results.Sig2},
                       MohrValue{"Sig3", IsInPlane(state) ? 0.0 : results.Sig3}};
  for (Hypothesis hypothesis : hypotheses) {
    Workspace fresh = WorkspaceOf(state, components);
    picture.equivalent.push_back(
        {HypothesisName(hypothesis), EquivalentStress(state, hypothesis, &fresh)});
  }
  return picture;
}

}  // namespace vergleichsspannung
