#include "console/stress_values_dialog.h"

#include <string>
#include <string_view>

#include "console/hypothesis_table.h"
#include "console/number_word.h"
#include "console/pause.h"
#include "console/refusal.h"
#include "console/stress_state_table.h"
#include "stress/format.h"

namespace vergleichsspannung {

namespace {

constexpr const char* kShownHeading = "momentan def. Werte:";

enum class Reply { kTaken, kRefused, kEnd };

// Asks for `component`, which now holds `kept`, on a line of its own. A
// refused reply is reported and its line dropped; on a terminal the person
// who typed it is asked again, while from a script the next word belongs to
// the next prompt, as the script was written.
Reply ReadValue(Console* console, const StressComponent& component, double kept, double* value) {
  console->Print("\n");
  Prompt prompt{component.prompt, component.name};
  for (;;) {
    std::string word;
    const Console::Word read = console->ReadWord(prompt, &word);
    if (read == Console::Word::kEnd) return Reply::kEnd;
    if (read == Console::Word::kRead && ParseStressValue(word, value)) return Reply::kTaken;
    console->Warn(RefusalText(read, word, prompt.value_name, FormatStress(kept)));
    console->DiscardLine();
    if (!console->interactive()) return Reply::kRefused;
    prompt.again = true;
  }
}

}  // namespace

bool EnterValues(Console* console, Workspace* workspace) {
  const StressStateRow& layout = StressStateRowOf(workspace->state);
  const bool plate = layout.source == ValueSource::kPlateValues;
  console->Print(layout.entry_heading);
  for (int i = 0; i < layout.components; ++i) {
    const StressComponent& component = layout.component[i];
    const int slot = component.slot;
    double value = 0;
    const Reply reply =
        ReadValue(console, component, ComponentValue(*workspace, layout.source, component), &value);
    if (reply == Reply::kEnd) return false;
    if (reply == Reply::kRefused) continue;
    // A plate value also fills the shared slot, where the other states read it.
    workspace->values.slot[slot] = value;
    if (plate) workspace->plate.slot[slot] = value;
  }
  WarnOfLeftOver(console, layout.component[layout.components - 1].name);
  return true;
}

bool ShowValues(Console* console, const Workspace& workspace) {
  const StressStateRow& layout = StressStateRowOf(workspace.state);
  console->Print(kShownHeading);
  console->Print(HypothesisRowOf(workspace.hypothesis).shown_label);
  console->Print(layout.shown_heading);
  for (int i = 0; i < layout.components; ++i) {
    const StressComponent& component = layout.component[i];
    PrintStressLine(console, component.shown, ComponentValue(workspace, layout.source, component));
  }
  return PauseForKey(console, kPauseOnNewLine);
}

}  // namespace vergleichsspannung
