// The menu's keys and the reply line on a POSIX terminal: bytes read in
// bursts, decoded into keys with their arrival times, applied to the reply
// line and drawn on the terminal's own descriptor.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "console/terminal/key_decoder.h"
#include "console/terminal/key_mode.h"
#include "console/terminal/reply_drawing.h"
#include "console/terminal/reply_line.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

namespace {

// Bytes read from the terminal and not yet taken, and when they came. A
// reply typed ahead behind a menu key waits here for its prompt.
struct KeyInput {
  char bytes[4096];
  std::size_t begin = 0;
  std::size_t end = 0;
  long arrived_ms = 0;
  KeyDecoder decoder;
};

KeyInput g_input;

// The terminal the reply line is drawn on (-1 until the first reply), and
// what stays from one reply to the next.
struct ReplyTerminal {
  int fd = -1;
  bool cursor_addressing = true;
  ReplyHistory history;
};

ReplyTerminal g_reply_terminal;

long NowMs() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// What a wait for bytes ended with.
enum class Waited { kBytes, kTimeout, kScreenEvent };

// Takes what the terminal `fd`, found readable with `revents`, has into
// g_input. Returns 0 with *got telling whether bytes came, or the error: in
// key mode a terminal reads nothing only when it hung up.
int ReadBurst(int fd, short revents, bool* got) {
  *got = false;
  if (revents & POLLNVAL) return EBADF;
  const ssize_t n = read(fd, g_input.bytes, sizeof g_input.bytes);
  if (n == 0) return EIO;
  if (n < 0) {
    const bool hung_up = (revents & (POLLHUP | POLLERR)) != 0;
    return !hung_up && (errno == EINTR || WouldBlock(errno)) ? 0 : errno;
  }
  g_input.begin = 0;
  g_input.end = static_cast<std::size_t>(n);
  g_input.arrived_ms = NowMs();
  *got = true;
  return 0;
}

// Waits up to `timeout_ms` (-1: for ever) for bytes on the terminal `fd`,
// and for a screen event when `screen_events`, and reads what came. A
// hang-up or read error is a failure (in key mode a terminal reads nothing
// only when it hung up). Returns 0 or the error.
int WaitForBytes(int fd, long timeout_ms, bool screen_events, Waited* waited) {
  for (;;) {
    const int events_fd = screen_events ? terminal::ScreenEventDescriptor() : -1;
    struct pollfd ready[2] = {{fd, POLLIN, 0}, {events_fd, POLLIN, 0}};
    const int polled = poll(ready, events_fd >= 0 ? 2 : 1, static_cast<int>(timeout_ms));
    if (polled < 0 && errno == EINTR) continue;  // the screen event shows on the next poll
    if (polled < 0) return errno;
    *waited = polled == 0 ? Waited::kTimeout : Waited::kScreenEvent;
    if (polled == 0 || (events_fd >= 0 && ready[1].revents != 0)) return 0;
    bool got = false;
    const int error = ReadBurst(fd, ready[0].revents, &got);
    if (got) *waited = Waited::kBytes;
    if (got || error != 0) return error;
  }
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && WouldBlock(errno)) {
      struct pollfd ready = {fd, POLLOUT, 0};
      if (poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
    }
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// Opens the terminal behind `input_fd` to draw on, whatever standard output
// is. Returns -1 with errno set.
int OpenTerminal(int input_fd) {
  const char* name = ttyname(input_fd);
  if (name != nullptr) return open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  const int flags = fcntl(input_fd, F_GETFL);
  if (flags < 0) return -1;
  if ((flags & O_ACCMODE) != O_RDWR) {
    errno = EBADF;
    return -1;
  }
  return fcntl(input_fd, F_DUPFD_CLOEXEC, 0);
}

// Plain terminals cannot move the cursor up or clear the screen. TERM is
// compared, never shown.
bool CanAddressCursor() {
  const char* term = getenv("TERM");
  return term != nullptr && *term != 0 && strcmp(term, "dumb") != 0;
}

Window WindowOf(int fd) {
  Window window;
  window.cursor_addressing = g_reply_terminal.cursor_addressing;
  struct winsize size = {};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return window;
  window.columns = size.ws_col;
  return window;
}

// When the prompt went to a pipe as well, a reader such as tee may still be
// about to show it on this terminal: give it the moment to do so, so that the
// line is drawn over that copy rather than before it.
void LetReaderShowPrompt(int output_fd) {
  struct stat status;
  if (fstat(output_fd, &status) != 0 || !S_ISFIFO(status.st_mode)) return;
  for (int waited = 0; waited < 200; ++waited) {
    int unread = 0;
    if (ioctl(output_fd, FIONREAD, &unread) != 0 || unread == 0) break;
    usleep(1000);
  }
  usleep(10000);
}

// Opens the terminal to draw on, at the first reply. Returns false with
// errno set when it cannot be opened.
bool SetUpReplyTerminal(int input_fd) {
  if (g_reply_terminal.fd >= 0) return true;
  g_reply_terminal.fd = OpenTerminal(input_fd);
  g_reply_terminal.cursor_addressing = CanAddressCursor();
  return g_reply_terminal.fd >= 0;
}

// One reply being typed and drawn.
struct Reply {
  std::u32string prompt;
  ReplyLine line;
  DrawnLine drawn;
  Window window;
  bool stale = true;  // the screen does not show the line as it is
};

// Returns true when `line` stands on one row of a window `columns` wide.
bool OnOneRow(const std::u32string& line, std::size_t columns) {
  return LayOutLine(std::u32string(), line, 0, columns).end.row == 0;
}

// Draws the reply line if the screen does not show it, and tells the signal
// handlers where it stands. Returns false with errno set on a write error.
bool Show(Reply* reply) {
  const int fd = g_reply_terminal.fd;
  const terminal::ScreenEvents events = terminal::TakeScreenEvents();
  std::string bytes;
  if (events.resized) {
    const std::size_t columns_before = reply->window.columns;
    reply->window = WindowOf(fd);
    // Terminals differ in what a resize does to the rows drawn: xterm and the
    // Linux console cut them, tmux and VTE rewrap them, and the program cannot
    // tell which. A line on one row at both widths stays where it was in
    // either; any other is drawn anew on a cleared screen, so that no stale
    // row and no second copy remain.
    if (reply->window.cursor_addressing && reply->drawn.shown &&
        !(OnOneRow(reply->drawn.shown_text, columns_before) &&
          OnOneRow(reply->prompt + reply->line.text, reply->window.columns))) {
      bytes = "\033[H\033[J";
      reply->drawn = DrawnLine();
    }
  }
  // After a stop the shell wrote below the line: draw it anew where the cursor is.
  if (events.continued) reply->drawn = DrawnLine();
  if (!reply->stale && !events.resized && !events.continued) return true;
  reply->stale = false;
  bytes += DrawReplyLine(reply->prompt, reply->line, reply->window, &reply->drawn);
  // Told before the line shows, so that no signal finds it shown but not noted.
  terminal::NoteOpenLine(fd, static_cast<int>(reply->drawn.rows_below_cursor));
  return WriteAll(fd, bytes);
}

// Takes the next keys: those of the next byte, or of a sequence whose wait
// ran out. Draws the line before waiting. Returns 0 or the error.
int NextKeys(int input_fd, Reply* reply, DecodedKeys* keys) {
  *keys = DecodedKeys();
  while (g_input.begin == g_input.end) {
    if (!Show(reply)) return errno;
    Waited waited = Waited::kBytes;
    const long wait = MillisecondsToWait(g_input.decoder, NowMs());
    const int error = WaitForBytes(input_fd, wait, true, &waited);
    if (error != 0) return error;
    if (waited == Waited::kTimeout) *keys = DecodeTimeout(&g_input.decoder, NowMs());
    if (keys->count > 0) return 0;
  }
  const unsigned char byte = static_cast<unsigned char>(g_input.bytes[g_input.begin++]);
  *keys = DecodeByte(&g_input.decoder, byte, g_input.arrived_ms);
  return 0;
}

// Shows the whole line and begins the next one, as Enter does.
IoResult Enter(Reply* reply, std::string* line, bool* too_long) {
  const int fd = g_reply_terminal.fd;
  if (!WriteAll(fd, EndReplyLine(reply->prompt, reply->line, reply->window, &reply->drawn)))
    return Failure(errno);
  terminal::NoteOpenLine(-1, 0);
  *too_long = reply->line.too_long;
  line->clear();
  if (reply->line.too_long) return IoResult{1, 0};
  *line = ReplyText(reply->line);
  Remember(&g_reply_terminal.history, *line);
  line->push_back('\n');
  return IoResult{static_cast<long>(line->size()), 0};
}

}  // namespace

namespace terminal {

IoResult ReadKeyPress(int fd, char* key, bool* in_sequence) {
  if (g_input.begin == g_input.end) {
    Waited waited = Waited::kBytes;
    const int error = WaitForBytes(fd, -1, false, &waited);
    if (error != 0) return Failure(error);
  }
  const auto byte = static_cast<unsigned char>(g_input.bytes[g_input.begin++]);
  const int code = MenuCodeOf(DecodeByte(&g_input.decoder, byte, g_input.arrived_ms), byte);
  *in_sequence = code < 0;
  *key = static_cast<char>(code < 0 ? byte : code);
  return IoResult{1, 0};
}

IoResult ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line,
                   bool* too_long) {
  if (!SetUpReplyTerminal(input_fd)) return Failure(errno);
  const bool prompt_in_output = !IsTerminal(output_fd);
  if (prompt_in_output) LetReaderShowPrompt(output_fd);
  Reply reply;
  reply.prompt = CharactersOf(prompt);
  TakeScreenEvents();  // nothing of this line was drawn before
  reply.window = WindowOf(g_reply_terminal.fd);
  for (;;) {
    DecodedKeys keys;
    const int error = NextKeys(input_fd, &reply, &keys);
    if (error != 0) return Failure(error);
    for (int i = 0; i < keys.count; ++i) {
      const LineOutcome outcome = ApplyKey(&reply.line, g_reply_terminal.history, keys.keys[i]);
      reply.stale = true;
      if (outcome == LineOutcome::kEntered) return Enter(&reply, line, too_long);
      if (outcome == LineOutcome::kBell && !WriteAll(g_reply_terminal.fd, "\a"))
        return Failure(errno);
      if (outcome != LineOutcome::kEndOfInput) continue;
      // The console ends the line on a terminal output; on a redirected one, this line is ours.
      if (prompt_in_output && WriteAll(g_reply_terminal.fd, "\n")) NoteOpenLine(-1, 0);
      return IoResult{};
    }
  }
}

IoResult ShowReply(int input_fd, int output_fd, std::string_view prompt, std::string_view text) {
  if (!SetUpReplyTerminal(input_fd)) return Failure(errno);
  if (!IsTerminal(output_fd)) LetReaderShowPrompt(output_fd);
  ReplyLine line;
  line.text = CharactersOf(text);
  line.cursor = line.text.size();
  DrawnLine drawn;
  const int fd = g_reply_terminal.fd;
  const std::string bytes = EndReplyLine(CharactersOf(prompt), line, WindowOf(fd), &drawn);
  return WriteAll(fd, bytes) ? IoResult{} : Failure(errno);
}

}  // namespace terminal

}  // namespace vergleichsspannung
