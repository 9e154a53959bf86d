// The calculator's main menu: choose the stress state and the hypothesis,
// enter and show the stress values, compute, read the about line, leave.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_
#define VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include "console/console.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Runs the menu on a workspace with the start values until the user presses q
// or input ends, and writes out all output. Returns the process exit status:
// 0 for both, as neither is a failure; 1 when reading or writing failed
// (console->failure() says why).
int MenuLoop(Console* console);

// Runs the menu on `workspace` as MenuLoop does, so that the caller (a test
// or the fuzzer) can look at the workspace afterwards.
int MenuLoop(Console* console, Workspace* workspace);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_
