// Standard input and output of the process, and the one place that knows
// whether a descriptor is a terminal and what reads its keys and replies.
// Every function reports through an IoResult; the plain reads and writes make
// one system call each and leave trying again after EINTR or EAGAIN to
// ReadAvailable and WriteAll.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <memory>

#include "console/terminal/byte_stream.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

namespace terminal {

// Returns true when `fd` is an interactive terminal.
bool IsTerminal(int fd);

// Returns the keys and replies of the terminal `input_fd`: on POSIX the line
// editor over that terminal, which it draws on whatever `output_fd` is; on
// Windows the console's input events and its own line input. When
// `output_fd` is not a terminal, the prompts went there too.
// REQUIRES: terminal::EnterKeyMode(input_fd) succeeded.
std::unique_ptr<Input> OpenTerminalInput(int input_fd, int output_fd);

// Reads what `fd` delivers next with one read.
// REQUIRES: size > 0.
IoResult ReadSome(int fd, char* buffer, std::size_t size);

// Writes at most `size` bytes to `fd` with one write.
IoResult WriteSome(int fd, const char* data, std::size_t size);

// Waits until `fd` can be read, or written when `for_writing`.
IoResult AwaitReady(int fd, bool for_writing);

}  // namespace terminal

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_
