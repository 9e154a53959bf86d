#include "console/stress_values_dialog.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "console/number_word.h"
#include "console/pause.h"
#include "console/refusal.h"

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

// Returns the value's name as its prompt shows it: "SigYY" of "\nSigYY [N/mm2]= ".
std::string_view NameIn(std::string_view prompt) {
  prompt.remove_prefix(prompt.find_first_not_of('\n'));
  return prompt.substr(0, prompt.find(' '));
}

std::string AsPrinted(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

enum class Reply { kTaken, kRefused, kEnd };

// Reads the reply for the value behind `prompt`, which now holds `kept`. A
// refused reply is reported and its line dropped; on a terminal the person
// who typed it is asked again, while from a script the next word belongs to
// the next prompt, as the script was written.
Reply ReadValue(Console* console, const char* prompt, double kept, double* value) {
  for (;;) {
    std::string word;
    const Console::Word read = console->ReadWord(&word);
    if (read == Console::Word::kEnd) return Reply::kEnd;
    if (read == Console::Word::kRead && ParseStressValue(word, value)) return Reply::kTaken;
    console->Warn(RefusalText(word, NameIn(prompt), AsPrinted(kept)));
    console->DiscardLine();
    if (!console->interactive()) return Reply::kRefused;
  }
}

}  // namespace

bool EnterValues(Console* console, Workspace* workspace) {
  const StateLayout& layout = LayoutOf(workspace->state);
  const bool plate = workspace->state == StressState::Plate;
  console->Print(layout.entry_heading);
  for (int i = 0; i < layout.slots; ++i) {
    console->Print(layout.prompts[i]);
    const double kept = plate ? workspace->plate.slot[i] : workspace->values.slot[i];
    double value = 0;
    const Reply reply = ReadValue(console, layout.prompts[i], kept, &value);
    if (reply == Reply::kEnd) return false;
    if (reply == Reply::kRefused) continue;
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
