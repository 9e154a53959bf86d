#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>

#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

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
IoResult EnterKeyMode(int fd) {
  (void)fd;
  return IoResult{};
}
IoResult LeaveKeyMode() { return IoResult{}; }

// The console redraws its own input line; no signal needs to know the screen.
int ScreenEventDescriptor() { return -1; }
ScreenEvents TakeScreenEvents() { return ScreenEvents(); }
void NoteOpenLine(int fd, int rows_below_cursor) {
  (void)fd;
  (void)rows_below_cursor;
}

IoResult ReadKeyPress(int fd, char* key, bool* in_sequence) {
  assert(IsTerminal(fd));
  (void)fd;  // _getch reads the console itself
  // A function or arrow key delivers 0 or 224 first and its code on the next
  // call; the console sends no escape sequences to _getch.
  *key = static_cast<char>(_getch());
  *in_sequence = false;
  return IoResult{1, 0};
}

IoResult ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line,
                   bool* too_long) {
  // The console's own line input edits the reply and recalls earlier ones.
  if (IsTerminal(output_fd)) {
    const IoResult written = WriteSome(output_fd, prompt.data(), prompt.size());
    if (written.failed()) return written;
  }
  char buffer[kMaxReplyLength + 2];
  const IoResult read = ReadSome(input_fd, buffer, sizeof buffer);
  if (read.failed() || read.count == 0) return read;
  line->assign(buffer, static_cast<std::size_t>(read.count));
  *too_long = line->back() != '\n';
  if (*too_long) {
    // More than a reply line holds: drop the rest of the line, refuse it whole.
    char rest = 0;
    while (rest != '\n' && ReadSome(input_fd, &rest, 1).count == 1) {
    }
    line->clear();
  }
  return read;
}

IoResult ReadSome(int fd, char* buffer, std::size_t size) {
  assert(size > 0);
  UseBinaryInputOnce(fd);
  const int n = _read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  if (n < 0) return Failure(errno);
  // Ctrl-Z at the start of a console line is the end of input there.
  if (n > 0 && IsTerminal(fd) && buffer[0] == kCtrlZ) return IoResult{};
  return IoResult{n, 0};
}

IoResult WriteSome(int fd, const char* data, std::size_t size) {
  // Standard output stays in text mode: every newline goes out as CR LF.
  const int n = _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  return n < 0 ? Failure(errno) : IoResult{n, 0};
}

// Windows descriptors are never non-blocking: a read or write waits by itself.
IoResult AwaitReady(int fd, bool for_writing) {
  (void)fd;
  (void)for_writing;
  return IoResult{};
}

}  // namespace terminal

}  // namespace vergleichsspannung
