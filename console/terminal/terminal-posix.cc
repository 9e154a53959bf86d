// The plain descriptor calls of the terminal seam on POSIX, and the line
// editor over the terminal's device; key mode lives in key_mode-posix.cc.
#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <cassert>
#include <cstddef>

#include "console/terminal/line_editor.h"
#include "console/terminal/terminal.h"
#include "console/terminal/terminal_device.h"

namespace vergleichsspannung {

namespace terminal {

bool IsTerminal(int fd) { return isatty(fd) == 1; }

IoResult ReadSome(int fd, char* buffer, std::size_t size) {
  assert(size > 0);
  const ssize_t n = read(fd, buffer, size);
  return n < 0 ? Failure(errno) : IoResult{static_cast<long>(n), 0};
}

IoResult WriteSome(int fd, const char* data, std::size_t size) {
  const ssize_t n = write(fd, data, size);
  return n < 0 ? Failure(errno) : IoResult{static_cast<long>(n), 0};
}

IoResult AwaitReady(int fd, bool for_writing) {
  struct pollfd ready = {fd, static_cast<short>(for_writing ? POLLOUT : POLLIN), 0};
  return poll(&ready, 1, -1) < 0 ? Failure(errno) : IoResult{};
}

std::unique_ptr<Input> OpenTerminalInput(int input_fd, int output_fd) {
  return std::make_unique<LineEditor>(OpenTerminalDevice(input_fd, output_fd),
                                      !IsTerminal(output_fd));
}

}  // namespace terminal

}  // namespace vergleichsspannung
