// Standard input and output of the process, and the one place that knows
// whether input comes from a terminal and how to read a single key there.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_

#include <cstddef>

namespace terminal {

// Returns true when standard input is an interactive terminal. Decided once,
// at the first call.
bool InputIsTerminal();

// Reads the bytes of one key press from the terminal without echo and without
// waiting for Enter; the terminal's own settings are back in force when it
// returns, and also when a signal ends the process while it waits.
// Returns the count of bytes stored in `buffer` (at least 1), 0 at the end of
// input, -1 on a read error.
// REQUIRES: InputIsTerminal(), size > 0.
long ReadKeyPress(char* buffer, std::size_t size);

// Reads what standard input delivers next: on a terminal a line typed in its
// normal line mode, with echo and editing. Returns the count of bytes stored
// in `buffer`, 0 at the end of input, -1 on a read error.
// REQUIRES: size > 0.
long ReadInput(char* buffer, std::size_t size);

// Writes `size` bytes to standard output. Returns false when they cannot all
// be written.
bool WriteOutput(const char* data, std::size_t size);

}  // namespace terminal

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
