#include "console/stress_values_dialog.h"

#include <string>

#include "console/hypothesis_table.h"
#include "console/number_word.h"
#include "console/pause.h"
#include "console/stress_state_table.h"

namespace {

constexpr const char* kShownHeading = "momentan def. Werte:";

}  // namespace

bool EnterValues(Console* console, Workspace* workspace) {
  const StressStateRow& layout = StressStateRowOf(workspace->state);
  const bool plate = layout.source == ValueSource::kPlateValues;
  console->Print(layout.entry_heading);
  for (int i = 0; i < layout.components; ++i) {
    const int slot = layout.component[i].slot;
    console->Print(layout.component[i].prompt);
    std::string word;
    const Console::Word read = console->ReadWord(&word);
    if (read == Console::Word::kEnd) return false;
    double value = 0;
    if (read == Console::Word::kTooLong || !ParseStressValue(word, &value)) {
      console->DiscardLine();
      continue;
    }
    // A plate value also fills the shared slot, where the other states read it.
    workspace->values.slot[slot] = value;
    if (plate) workspace->plate.slot[slot] = value;
  }
  return true;
}

bool ShowValues(Console* console, const Workspace& workspace) {
  const StressStateRow& layout = StressStateRowOf(workspace.state);
  console->Print(kShownHeading);
  console->Print(HypothesisRowOf(workspace.hypothesis).shown_label);
  console->Print(layout.shown_heading);
  for (int i = 0; i < layout.components; ++i) {
    const StressComponent& component = layout.component[i];
    console->Print(
        StressLine(component.shown, ComponentValue(workspace, layout.source, component)));
  }
  return PauseForKey(console, kPauseOnNewLine);
}
