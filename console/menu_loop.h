// The calculator's main menu: choose the stress state and the hypothesis,
// enter and show the stress values, compute, read the about line, leave.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_
#define VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_

#include <string_view>

#include "console/console.h"
#include "stress/workspace.h"

// Runs the menu on a workspace with the start values until the user presses q
// or input ends, and writes out all output. Returns the process exit status:
// 0 for both, as neither is a failure; 1 when reading or writing failed
// (console->failure() says why).
int MenuLoop(Console* console);

// Runs the menu on `workspace` as MenuLoop does, so that the caller can look
// at the workspace afterwards.
int MenuLoop(Console* console, Workspace* workspace);

// Prints "\nIhre Wahl:" and reads a whole number until one from `lowest` to
// `highest` arrives; a reply that is not a whole number is refused with the
// rest of its line. Each refused reply is reported as one for `name`, which
// keeps *choice. Returns true with the number in *choice, or false when input
// ends first (*choice untouched).
bool ReadChoice(Console* console, std::string_view name, int lowest, int highest, int* choice);

#endif  // VERGLEICHSSPANNUNG_CONSOLE_MENU_LOOP_H_
