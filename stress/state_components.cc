#include "stress/state_components.h"

#include <cassert>

namespace vergleichsspannung {

namespace {

// Indexed by StressState - kFirstStressState: the dialogue's value entry.
constexpr StateComponents kStates[] = {
    {6, 3, {"SigXX", "SigYY", "SigZZ", "TauXY", "TauYZ", "TauZX"}},
    {3, 2, {"SigXX", "SigYY", "TauXY", "", "", ""}},
    {4, 3, {"SigRR", "SigZZ", "TauRZ", "SigTE", "", ""}},
    {3, 2, {"SigXX", "SigYY", "TauXY", "", "", ""}},
};

// Indexed by Hypothesis - kFirstHypothesis.
constexpr const char* kHypothesisNames[] = {"GEH", "NH", "SH"};

}  // namespace

const StateComponents& StateComponentsOf(StressState state) {
  const int index = static_cast<int>(state) - kFirstStressState;
  assert(index >= 0 && index < 4);
  return kStates[index];
}

const char* HypothesisName(Hypothesis hypothesis) {
  const int index = static_cast<int>(hypothesis) - kFirstHypothesis;
  assert(index >= 0 && index < 3);
  return kHypothesisNames[index];
}

}  // namespace vergleichsspannung
