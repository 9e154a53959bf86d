// The results of key g: principal stresses and equivalent stress SigV.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_RESULTS_REPORT_H_
#define VERGLEICHSSPANNUNG_CONSOLE_RESULTS_REPORT_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include "console/console.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Computes the equivalent stress of the workspace's state and hypothesis once,
// stores it as SigV, prints the report and waits for a key. Returns false when
// input ended during the pause.
bool ReportResults(Console* console, Workspace* workspace);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_RESULTS_REPORT_H_
