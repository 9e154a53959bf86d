// What the dialogue shows for each strength hypothesis, one row per
// hypothesis: the hypothesis prompt, the value display and the report read
// their texts only from here.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_HYPOTHESIS_TABLE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_HYPOTHESIS_TABLE_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include "stress/workspace.h"

namespace vergleichsspannung {

struct HypothesisRow {
  Hypothesis hypothesis;
  const char* menu_line;           // its line at the hypothesis prompt
  const char* shown_label;         // names it in the display
  const char* report_part;         // ends the report header the state's name starts
  bool prints_principal_stresses;  // the report lists what it picks from
};

// Returns the row of `hypothesis`.
// REQUIRES: `hypothesis` is one of the Hypothesis values.
const HypothesisRow& HypothesisRowOf(Hypothesis hypothesis);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_HYPOTHESIS_TABLE_H_
