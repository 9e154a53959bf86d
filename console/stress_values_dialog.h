// Entry and display of the stress components of the current stress state.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_STRESS_VALUES_DIALOG_H_
#define VERGLEICHSSPANNUNG_CONSOLE_STRESS_VALUES_DIALOG_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include "console/console.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Prompts for each component of the current state and stores every accepted
// number in its slot of StressValues, and for the plate state in the same slot
// of PlateValues too. A refused word changes no value anywhere and discards
// the rest of its line. Returns false when input ended, leaving the values
// read so far.
bool EnterValues(Console* console, Workspace* workspace);

// Prints the hypothesis, the state and the values the state computes from,
// then waits for a key. Returns false when input ended during the pause.
bool ShowValues(Console* console, const Workspace& workspace);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_STRESS_VALUES_DIALOG_H_
