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

// Takes standard input byte for byte, so that a CR before a newline reaches
// the dialogue, which reads it as part of the line end.
void UseBinaryInputOnce() {
  static const bool done = (_setmode(_fileno(stdin), _O_BINARY), true);
  (void)done;
}

}  // namespace

namespace terminal {

bool InputIsTerminal() {
  static const bool is_terminal = _isatty(_fileno(stdin)) != 0;
  return is_terminal;
}

long ReadKeyPress(char* buffer, std::size_t size) {
  assert(InputIsTerminal() && size > 0);
  (void)size;
  // A function or arrow key delivers 0 or 224 first and its code on the next call.
  buffer[0] = static_cast<char>(_getch());
  return 1;
}

long ReadInput(char* buffer, std::size_t size) {
  assert(size > 0);
  UseBinaryInputOnce();
  const int n =
      _read(_fileno(stdin), buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  // Ctrl-Z at the start of a console line is the end of input there.
  if (n > 0 && InputIsTerminal() && buffer[0] == kCtrlZ) return 0;
  return n;
}

bool WriteOutput(const char* data, std::size_t size) {
  // Standard output stays in text mode: every newline goes out as CR LF.
  while (size > 0) {
    const int n =
        _write(_fileno(stdout), data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace terminal
