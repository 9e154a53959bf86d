#include <cassert>

#include "picture/mohr_picture.h"
#include "stress/hypotheses.h"
#include "stress/state_components.h"

namespace vergleichsspannung {

namespace {

// Names the state in the picture's title; indexed by StressState - kFirstStressState.
constexpr const char* kStateTitles[] = {"spatial state (räumlich)", "plane state (Scheibe)",
                                        "axisymmetric state (axialsymmetrisch)",
                                        "plate state (Platte)"};

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

MohrPicture MakeMohrPicture(StressState state, const std::vector<double>& components,
                            const std::vector<Hypothesis>& hypotheses) {
  const StateComponents& names = StateComponentsOf(state);
  assert(static_cast<int>(components.size()) == names.components);
  MohrPicture picture;
  picture.state = state;
  picture.state_name = kStateTitles[static_cast<int>(state) - kFirstStressState];
  for (std::size_t i = 0; i < components.size(); ++i) {
    picture.components.push_back({names.component_names[i], components[i]});
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
