#include "console/stress_values_dialog.h"

#include <string>

#include "console/number_word.h"
#include "console/pause.h"

namespace {

// What the dialogue asks and shows for one stress state; prompt i and line i
// belong to slot i.
struct StateLayout {
  const char* entry_heading;
  const char* shown_heading;
  int slots;
  const char* prompts[6];
  const char* lines[6];
};

constexpr StateLayout kLayouts[4] = {
    {"raeuml.SpaZustand",
     "\nraeuml.SpaZustand",
     6,
     {"\nSigXX [N/mm2]= ", "\nSigYY [N/mm2]= ", "\nSigZZ [N/mm2]= ", "\nTauXY [N/mm2]= ",
      "\nTauYZ [N/mm2]= ", "\nTauZX [N/mm2]= "},
     {"\nSigXX= %g[N/mm2]", "\nSigYY= %g[N/mm2]", "\nSigZZ= %g[N/mm2]", "\nTauXY= %g[N/mm2]",
      "\nTauYZ= %g[N/mm2]", "\nTauZX= %g[N/mm2]"}},
    {"ScheibenSpaZustand:",
     "\nScheibenSpaZustand",
     3,
     {"\nSigXX [N/mm2]= ", "\nSigYY [N/mm2]= ", "\nTauXY [N/mm2]= "},
     {"\nSigXX= %g[N/mm2]", "\nSigYY= %g[N/mm2]", "\nTauXY= %g[N/mm2]"}},
    {"axialsym.SpaZustand:",
     "\naxialsym.SpaZustand",
     4,
     {"\nSigRR [N/mm2]= ", "\nSigZZ [N/mm2]= ", "\nTauRZ [N/mm2]= ", "\nSigTE [N/mm2]= "},
     {"\nSigRR= %g[N/mm2]", "\nSigZZ= %g[N/mm2]", "\nTauRZ= %g[N/mm2]", "\nSigTE= %g[N/mm2]"}},
    {"PlattenSpaZustand:",
     "\nPlattenSpaZustand",
     3,
     {"\nSigXX [N/mm2]= ", "\nSigYY [N/mm2]= ", "\nTauXY [N/mm2]= "},
     {"\nSigXX= %g[N/mm2]", "\nSigYY= %g[N/mm2]", "\nTauXY= %g[N/mm2]"}},
};

constexpr const char* kShownHeading = "momentan def. Werte:";
constexpr const char* kHypothesisLabels[3] = {"\nGEH", "\nNH", "\nSH"};

const StateLayout& LayoutOf(StressState state) { return kLayouts[static_cast<int>(state) - 1]; }

}  // namespace

bool EnterValues(Console* console, Workspace* workspace) {
  const StateLayout& layout = LayoutOf(workspace->state);
  const bool plate = workspace->state == StressState::Plate;
  console->Print(layout.entry_heading);
  for (int i = 0; i < layout.slots; ++i) {
    console->Print(layout.prompts[i]);
    std::string word;
    const Console::Word read = console->ReadWord(&word);
    if (read == Console::Word::kEnd) return false;
    double value = 0;
    if (read == Console::Word::kTooLong || !ParseStressValue(word, &value)) {
      console->DiscardLine();
      continue;
    }
    // A plate value also fills the shared slot, where the other states read it.
    workspace->values.slot[i] = value;
    if (plate) workspace->plate.slot[i] = value;
  }
  return true;
}

bool ShowValues(Console* console, const Workspace& workspace) {
  const StateLayout& layout = LayoutOf(workspace.state);
  console->Print(kShownHeading);
  console->Print(kHypothesisLabels[static_cast<int>(workspace.hypothesis) - 1]);
  console->Print(layout.shown_heading);
  for (int i = 0; i < layout.slots; ++i) {
    const double value =
        workspace.state == StressState::Plate ? workspace.plate.slot[i] : workspace.values.slot[i];
    console->PrintValue(layout.lines[i], value);
  }
  return PauseForKey(console, kPauseOnNewLine);
}
