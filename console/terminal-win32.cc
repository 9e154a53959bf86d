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

// The console reads single keys with _getch and needs no mode of its own.
bool EnterKeyMode(int fd) {
  (void)fd;
  return true;
}
void LeaveKeyMode() {}

long ReadKeyPress(int fd, char* key, bool* in_sequence) {
  assert(IsTerminal(fd));
  (void)fd;  // _getch reads the console itself
  // A function or arrow key delivers 0 or 224 first and its code on the next
  // call; the console sends no escape sequences to _getch.
  *key = static_cast<char>(_getch());
  *in_sequence = false;
  return 1;
}

Reply ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line) {
  // The console's own line input edits the reply and recalls earlier ones.
  if (IsTerminal(output_fd) && !WriteOutput(output_fd, prompt.data(), prompt.size())) {
    return Reply::kError;
  }
  char buffer[kMaxReplyLength + 2];
  const long n = ReadInput(input_fd, buffer, sizeof buffer);
  if (n < 0) return Reply::kError;
  if (n == 0) return Reply::kEnd;
  line->assign(buffer, static_cast<std::size_t>(n));
  if (line->back() != '\n') {
    // More than a reply line holds: drop the rest of the line, refuse it whole.
    char rest = 0;
    while (rest != '\n' && ReadInput(input_fd, &rest, 1) == 1) {
    }
    return Reply::kTooLong;
  }
  return Reply::kLine;
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
