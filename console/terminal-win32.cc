#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <algorithm>
#include <cassert>
#include <climits>

#include "console/terminal.h"

namespace {

constexpr char kCtrlZ = 0x1a;

// Takes input byte for byte, so that a CR before a newline reaches the
// dialogue, which reads it as part of the line end.
void UseBinaryInputOnce(int fd) {
  static const bool done = (_setmode(fd, _O_BINARY), true);
  (void)done;
}

}  // namespace

namespace terminal {

bool IsTerminal(int fd) { return _isatty(fd) != 0; }

long ReadKeyPress(int fd, char* buffer, std::size_t size) {
  assert(IsTerminal(fd) && size > 0);
  (void)fd, (void)size;  // _getch reads the console itself
  // A function or arrow key delivers 0 or 224 first and its code on the next call.
  buffer[0] = static_cast<char>(_getch());
  return 1;
}

long ReadInput(int fd, char* buffer, std::size_t size) {
  assert(size > 0);
  UseBinaryInputOnce(fd);
  const int n = _read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  // Ctrl-Z at the start of a console line is the end of input there.
  if (n > 0 && IsTerminal(fd) && buffer[0] == kCtrlZ) return 0;
  return n;
}

bool WriteOutput(int fd, const char* data, std::size_t size) {
  // Standard output stays in text mode: every newline goes out as CR LF.
  while (size > 0) {
    const int n = _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace terminal
