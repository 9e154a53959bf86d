#include "console/stress_state_table.h"

#include <cassert>
#include <iterator>
#include <tuple>

#include "stress/format.h"

namespace vergleichsspannung {

namespace {

constexpr StressStateRow kRows[] = {
    {StressState::Spatial,
     ValueSource::kStressValues,
     6,
     true,
     "\nraeuml. SpaZustand= 1",
     "raeuml.SpaZustand",
     "\nraeuml.SpaZustand",
     "raeuml.SpaZus",
     {{"SigXX", "SigXX [N/mm2]= ", "\nSigXX= ", 0},
      {"SigYY", "SigYY [N/mm2]= ", "\nSigYY= ", 1},
      {"SigZZ", "SigZZ [N/mm2]= ", "\nSigZZ= ", 2},
      {"TauXY", "TauXY [N/mm2]= ", "\nTauXY= ", 3},
      {"TauYZ", "TauYZ [N/mm2]= ", "\nTauYZ= ", 4},
      {"TauZX", "TauZX [N/mm2]= ", "\nTauZX= ", 5}}},
    {StressState::Plane,
     ValueSource::kStressValues,
     3,
     false,
     "\nScheibenSpaZustand= 2",
     "ScheibenSpaZustand:",
     "\nScheibenSpaZustand",
     "ScheibenSpaZus",
     {{"SigXX", "SigXX [N/mm2]= ", "\nSigXX= ", 0},
      {"SigYY", "SigYY [N/mm2]= ", "\nSigYY= ", 1},
      {"TauXY", "TauXY [N/mm2]= ", "\nTauXY= ", 2}}},
    {StressState::Axisymmetric,
     ValueSource::kStressValues,
     4,
     true,
     "\naxialsy.SpaZustand= 3",
     "axialsym.SpaZustand:",
     "\naxialsym.SpaZustand",
     "axialsym.SpaZus",
     {{"SigRR", "SigRR [N/mm2]= ", "\nSigRR= ", 0},
      {"SigZZ", "SigZZ [N/mm2]= ", "\nSigZZ= ", 1},
      {"TauRZ", "TauRZ [N/mm2]= ", "\nTauRZ= ", 2},
      {"SigTE", "SigTE [N/mm2]= ", "\nSigTE= ", 3}}},
    // The plate's replies land in StressValues as well (see EnterValues).
    {StressState::Plate,
     ValueSource::kPlateValues,
     3,
     false,
     "\nPlatten SpaZustand= 4",
     "PlattenSpaZustand:",
     "\nPlattenSpaZustand",
     "PlattenSpaZus",
     {{"SigXX", "SigXX [N/mm2]= ", "\nSigXX= ", 0},
      {"SigYY", "SigYY [N/mm2]= ", "\nSigYY= ", 1},
      {"TauXY", "TauXY [N/mm2]= ", "\nTauXY= ", 2}}},
};

constexpr int kRowCount = static_cast<int>(std::size(kRows));
static_assert(kRowCount == kLastStressState - kFirstStressState + 1, "one row per stress state");
static_assert(std::tuple_size<decltype(StressValues::slot)>::value == kMaxComponents,
              "a state has at most one component per slot");

// Returns true when row i holds state kFirstStressState + i, so that
// StressStateRowOf finds a row by counting, when a row lists as many
// components as it counts, and when each names a slot of the record its state
// reads.
constexpr bool RowsFollowTheStates() {
  constexpr int kPlateSlots = std::tuple_size<decltype(PlateValues::slot)>::value;
  for (int i = 0; i < kRowCount; ++i) {
    const StressStateRow& row = kRows[i];
    if (static_cast<int>(row.state) != kFirstStressState + i) return false;
    if (row.components < 1 || row.components > kMaxComponents) return false;
    const int slots = row.source == ValueSource::kPlateValues ? kPlateSlots : kMaxComponents;
    for (int c = 0; c < kMaxComponents; ++c) {
      const StressComponent& component = row.component[c];
      if ((component.prompt != nullptr) != (c < row.components)) return false;
      if (c < row.components && (component.slot < 0 || component.slot >= slots)) return false;
    }
  }
  return true;
}
static_assert(RowsFollowTheStates(),
              "rows in the order of the states, components as counted, slots in their record");

}  // namespace

const StressStateRow& StressStateRowOf(StressState state) {
  const int index = static_cast<int>(state) - kFirstStressState;
  assert(index >= 0 && index < kRowCount);
  return kRows[index];
}

double ComponentValue(const Workspace& workspace, ValueSource source,
                      const StressComponent& component) {
  return source == ValueSource::kPlateValues ? workspace.plate.slot[component.slot]
                                             : workspace.values.slot[component.slot];
}

void PrintStressLine(Console* console, std::string_view label, double value) {
  console->Print(label);
  console->Print(FormatStress(value));
  console->Print(kStressUnit);
}

}  // namespace vergleichsspannung
