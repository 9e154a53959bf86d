// What the dialogue asks, shows and reports for each stress state, one row per
// state: the state prompt, the value entry and display, and the report read
// their texts, slots and rules only from here.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_STRESS_STATE_TABLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_STRESS_STATE_TABLE_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <string_view>

#include "console/console.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// The unit every printed stress value ends with.
constexpr std::string_view kStressUnit = "[N/mm2]";

// The most components a state has: every slot of StressValues.
constexpr int kMaxComponents = 6;

// One stress component of a state.
struct StressComponent {
  const char* name;    // names it in a refusal: "SigXX"
  const char* prompt;  // asks for it on a line of its own: "SigXX [N/mm2]= "
  const char* shown;   // stands before its value in the display: "\nSigXX= "
  int slot;            // its index in the record the state's values come from
};

// The record a state computes from, and so shows.
enum class ValueSource { kStressValues, kPlateValues };

struct StressStateRow {
  StressState state;
  ValueSource source;
  int components;
  bool prints_sig3;           // NH and SH report a third principal stress
  const char* menu_line;      // its line at the state prompt
  const char* entry_heading;  // printed before its prompts
  const char* shown_heading;  // printed after the hypothesis label in the display
  const char* report_name;    // starts the report header; the hypothesis ends it
  StressComponent component[kMaxComponents];
};

// Returns the row of `state`.
// REQUIRES: `state` is one of the StressState values.
const StressStateRow& StressStateRowOf(StressState state);

// Returns the value of `component` in the record `source` names.
double ComponentValue(const Workspace& workspace, ValueSource source,
                      const StressComponent& component);

// Prints `label`, then `value` as FormatStress gives it, then kStressUnit.
void PrintStressLine(Console* console, std::string_view label, double value);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_STRESS_STATE_TABLE_H_
