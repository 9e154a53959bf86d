// Standard input and output of the process, and the one place that knows
// whether input comes from a terminal and how to read a single key there.
// Every function reports a failure as its return value with errno set; a read
// or write that was interrupted or would block is retried, never reported.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_

#include <cstddef>

namespace terminal {

// Returns true when `fd` is an interactive terminal.
bool IsTerminal(int fd);

// Reads the bytes of one key press from the terminal `fd` without echo and
// without waiting for Enter; the terminal's own settings are back in force
// when it returns, and also when a signal ends the process while it waits.
// Returns the count of bytes stored in `buffer` (at least 1), 0 at the end of
// input, -1 on a read error.
// REQUIRES: IsTerminal(fd), size > 0.
long ReadKeyPress(int fd, char* buffer, std::size_t size);

// Reads what `fd` delivers next: on a terminal a line typed in its normal line
// mode, with echo and editing. Waits when `fd` is set non-blocking and nothing
// is there yet. Returns the count of bytes stored in `buffer`, 0 at the end of
// input, -1 on a read error.
// REQUIRES: size > 0.
long ReadInput(int fd, char* buffer, std::size_t size);

// Writes `size` bytes to `fd`, waiting while a non-blocking `fd` is full.
// Returns false when they cannot all be written.
bool WriteOutput(int fd, const char* data, std::size_t size);

}  // namespace terminal

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
