// What the command line knows of each stress state and hypothesis: the names
// a user may give them, the components a state takes in the dialogue's order,
// and the columns its results fill.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_STATE_TABLE_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_STATE_TABLE_H_

#include <array>
#include <string_view>

#include "stress/state_components.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// Stores in *state the state `name` names: its English or German name
// ("spatial", "raeumlich", "räumlich", ...) in any case, or its dialogue number
// "1" to "4". Returns false for anything else, leaving *state untouched.
bool StateByName(std::string_view name, StressState* state);

// Stores in *hypothesis the hypothesis `name` names: "GEH", "NH" or "SH" in
// any case, or its dialogue number "1" to "3". Returns false otherwise.
bool HypothesisByName(std::string_view name, Hypothesis* hypothesis);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_STATE_TABLE_H_
