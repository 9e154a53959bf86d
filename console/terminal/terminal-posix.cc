#include <errno.h>
#include <fcntl.h>
#include <histedit.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <wchar.h>

#include <cassert>
#include <cstddef>
#include <string>

#include "console/terminal/escape_sequence.h"
#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

namespace {

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Waits until `fd` is ready for `events`: another process may have set the
// open terminal non-blocking, and its data may simply not be there yet.
// Returns false on a failure, and with errno EINTR when a signal came first.
bool AwaitEvents(int fd, short events) {
  struct pollfd ready = {fd, events, 0};
  return poll(&ready, 1, -1) >= 0;
}

long ReadRetrying(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(fd, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    if (!WouldBlock(errno)) return -1;
    if (!AwaitEvents(fd, POLLIN) && errno != EINTR) return -1;
  }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && WouldBlock(errno) && (AwaitEvents(fd, POLLOUT) || errno == EINTR)) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool WriteText(int fd, const std::string& text) { return WriteAll(fd, text.data(), text.size()); }

// The line editor, set up at the first reply, and what it needs to know while
// it runs: the prompt, the terminal it draws on, and the state of the key
// bytes it has been handed so far.
struct LineEditor {
  EditLine* editor = nullptr;
  History* history = nullptr;
  int terminal_fd = -1;  // draws here
  int input_fd = -1;     // reads keys here, as the menu does
  std::string prompt;
  EscapeSequence sequence;
  mbstate_t decoding = {};
  bool too_long = false;
  bool end_of_input = false;
  int recalled = 0;  // how far Up went back in the history
  // The prompt's width and the terminal's, in characters: known when a reply
  // begins and after a resize, not asked for at every key.
  std::size_t prompt_width = 0;
  std::size_t columns = 0;
};

LineEditor g_line_editor;

const char* CurrentPrompt(EditLine*) { return g_line_editor.prompt.c_str(); }

// Replies recalled with Up and Down, kept in memory for this session only;
// a pasted block longer than a line of numbers is not worth recalling.
constexpr int kHistoryLines = 500;
constexpr std::size_t kLongestRecalledReply = 256;

// The code the Delete key is handed to the editor as: a C1 control, which no
// keyboard types (typed C1 characters become U+FFFD below).
constexpr wchar_t kDeleteCode = 0x90;

wchar_t CodeOf(EditingKey key) {
  switch (key) {
    case EditingKey::kUp:
      return 0x10;  // ^P, the previous reply
    case EditingKey::kDown:
      return 0x0e;  // ^N
    case EditingKey::kRight:
      return 0x06;  // ^F
    case EditingKey::kLeft:
      return 0x02;  // ^B
    case EditingKey::kHome:
      return 0x01;  // ^A
    case EditingKey::kEnd:
      return 0x05;  // ^E
    case EditingKey::kDelete:
      return kDeleteCode;
    case EditingKey::kNone:
      break;
  }
  return 0;
}

// Plain terminals cannot move the cursor up or clear the screen.
bool CanMoveCursor() {
  const char* term = getenv("TERM");
  return term != nullptr && *term != 0 && strcmp(term, "dumb") != 0;
}

std::size_t ColumnsOf(int fd) {
  struct winsize size = {};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

// Where the cursor and the end of the reply stand, counted in characters from
// the start of the prompt.
struct LinePosition {
  std::size_t cursor;
  std::size_t end;
};

LinePosition PositionOnLine(EditLine* editor) {
  const LineInfoW* info = el_wline(editor);
  const std::size_t prompt = g_line_editor.prompt_width;
  return {prompt + static_cast<std::size_t>(info->cursor - info->buffer),
          prompt + static_cast<std::size_t>(info->lastchar - info->buffer)};
}

// Draws the reply line anew after a resize or a continue, so that the screen
// shows exactly what Enter will take. After a resize the terminal may have
// rewrapped the line to its new width: go back to where the line begins on
// that assumption and clear everything below before drawing.
void Redraw(EditLine* editor, bool resized) {
  LineEditor& line = g_line_editor;
  std::string move = "\r";
  if (resized) {
    line.columns = ColumnsOf(line.terminal_fd);
    const std::size_t columns = line.columns;
    if (!CanMoveCursor()) {
      move = "\r\n";
    } else if (columns > 0) {
      const std::size_t rows = PositionOnLine(editor).cursor / columns;
      if (rows > 0) move += "\033[" + std::to_string(rows) + "A";
      move += "\033[J";
    }
    el_resize(editor);
  }
  WriteText(line.terminal_fd, move);
  el_set(editor, EL_REFRESH);
}

bool IsInsertion(wchar_t c) { return c >= 0x20 && c != 0x7f; }

// How long the bytes of one escape sequence may stand apart; a terminal sends
// them in one write.
constexpr int kEscapeWaitMs = 100;

// Keeps count of how far Up went back. Returns false for a Down with nothing
// to come back to, which libedit would answer with a stale line.
bool FollowHistory(wchar_t c) {
  LineEditor& line = g_line_editor;
  if (c == CodeOf(EditingKey::kUp)) {
    HistEvent event;
    if (history(line.history, &event, H_GETSIZE) == 0 && line.recalled < event.num) ++line.recalled;
  } else if (c == CodeOf(EditingKey::kDown)) {
    if (line.recalled == 0) return false;
    --line.recalled;
  }
  return true;
}

// Notes how many rows of the reply line stand below the cursor's row.
void NoteRowsBelowCursor(EditLine* editor) {
  const std::size_t columns = g_line_editor.columns;
  if (columns == 0) return;
  const LinePosition position = PositionOnLine(editor);
  terminal::NoteOpenLine(g_line_editor.terminal_fd,
                         static_cast<int>(position.end / columns - position.cursor / columns));
}

// Hands the editor the next key: a character decoded in the terminal's
// character set (an undecodable byte as U+FFFD, so it shows and is refused
// rather than vanishing), an editing key's code, or nothing for the bytes of
// other escape sequences. Keeps the line within kMaxReplyLength characters.
int GetCharacter(EditLine* editor, wchar_t* out) {
  LineEditor& line = g_line_editor;
  *out = 0;
  for (;;) {
    const terminal::ScreenEvents events = terminal::TakeScreenEvents();
    if (events.resized || events.continued) Redraw(editor, events.resized);
    NoteRowsBelowCursor(editor);
    // An Esc that no byte follows at once is the Esc key, not the start of
    // an escape sequence: it does nothing, and the next key is a key.
    const bool lone_escape = line.sequence.bytes == "\x1b";
    const int wakeup = terminal::ScreenEventDescriptor();
    struct pollfd ready[2] = {{line.input_fd, POLLIN, 0}, {wakeup, POLLIN, 0}};
    const int polled = poll(ready, wakeup >= 0 ? 2 : 1, lone_escape ? kEscapeWaitMs : -1);
    if (polled < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (polled == 0) {
      line.sequence.bytes.clear();
      continue;
    }
    if (ready[1].revents & POLLIN) continue;  // a screen event, taken above
    char byte = 0;
    const ssize_t n = read(line.input_fd, &byte, 1);
    if (n < 0 && (errno == EINTR || WouldBlock(errno))) continue;
    if (n < 0) return -1;
    if (n == 0) {
      errno = EIO;  // in key mode only a hang-up reads nothing
      return -1;
    }
    const KeyByte kind = FollowKeyByte(&line.sequence, static_cast<unsigned char>(byte));
    if (kind == KeyByte::kInside) continue;
    wchar_t c = 0;
    if (kind == KeyByte::kLast) {
      c = CodeOf(EditingKeyOf(line.sequence.bytes));
      line.sequence.bytes.clear();
      if (c == 0) continue;
    } else {
      const std::size_t used = mbrtowc(&c, &byte, 1, &line.decoding);
      if (used == static_cast<std::size_t>(-2)) continue;
      if (used == static_cast<std::size_t>(-1) || (c >= 0x80 && c < 0xa0)) {
        line.decoding = mbstate_t{};
        c = MB_CUR_MAX > 1 ? 0xfffd : L'?';
      }
      if (c == 0x04 && el_wline(editor)->lastchar == el_wline(editor)->buffer)
        line.end_of_input = true;
      // A tab separates numbers, as a blank does; the editor would drop it.
      if (c == L'\t') c = L' ';
    }
    if (!FollowHistory(c)) continue;
    if (IsInsertion(c)) {
      const LineInfoW* info = el_wline(editor);
      if (static_cast<std::size_t>(info->lastchar - info->buffer) >= kMaxReplyLength) {
        if (!line.too_long) WriteText(line.terminal_fd, "\a");
        line.too_long = true;
        continue;
      }
    }
    *out = c;
    return 1;
  }
}

// Reads typed characters in the terminal's character set. Where the
// environment names none (the C locale), UTF-8, which terminals send today,
// rather than dropping every byte beyond ASCII. Numbers still print in the C
// locale: only the character type is set.
void UseTerminalCharacters() {
  setlocale(LC_CTYPE, "");
  if (strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0) setlocale(LC_CTYPE, "C.UTF-8");
}

// Opens the terminal behind `input_fd` for the editor to read its settings
// from and draw on, whatever standard output is. Returns -1 with errno set.
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

bool SetUpLineEditor(int input_fd) {
  LineEditor& line = g_line_editor;
  if (line.editor != nullptr) return true;
  UseTerminalCharacters();
  const int fd = OpenTerminal(input_fd);
  if (fd < 0) return false;
  const int second = fcntl(fd, F_DUPFD_CLOEXEC, 0);
  FILE* in = fdopen(fd, "r");
  FILE* out = second < 0 ? nullptr : fdopen(second, "w");
  EditLine* editor =
      in != nullptr && out != nullptr ? el_init("vergleichsspannung", in, out, stderr) : nullptr;
  if (editor == nullptr) {
    const int error = errno != 0 ? errno : ENOMEM;
    if (in != nullptr)
      fclose(in);
    else
      close(fd);
    if (out != nullptr)
      fclose(out);
    else if (second >= 0)
      close(second);
    errno = error;
    return false;
  }
  // After each line libedit gives the terminal its settings for running
  // programs, normally line mode with echo. Key mode instead, so no key typed
  // ahead of the next prompt is echoed or held back in line mode.
  el_set(editor, EL_SETTY, "-x", "-icanon", "-echo", nullptr);
  // Its own signal handling would pass a signal on to the whole process group,
  // and the script that started us with it; the handlers above suffice.
  el_set(editor, EL_SIGNAL, 0);
  el_set(editor, EL_EDITOR, "emacs");
  el_set(editor, EL_PROMPT, CurrentPrompt);
  el_set(editor, EL_GETCFN, GetCharacter);
  const wchar_t delete_key[] = {kDeleteCode, 0};
  el_wset(editor, EL_BIND, delete_key, L"ed-delete-next-char", nullptr);
  // Keys whose answer is not on the reply line: a history search that
  // Enter would take unseen, the Ctrl-X prefix that eats the next key, and
  // quoted insertion of control characters.
  for (const char* key : {"^R", "^S", "^X", "^V"})
    el_set(editor, EL_BIND, key, "ed-unassigned", nullptr);
  History* replies = history_init();
  HistEvent event;
  history(replies, &event, H_SETSIZE, kHistoryLines);
  history(replies, &event, H_SETUNIQUE, 1);
  el_set(editor, EL_HIST, history, replies);
  line.editor = editor;
  line.history = replies;
  line.terminal_fd = second;
  line.input_fd = input_fd;
  return true;
}

// When the prompt went to a pipe as well, a reader such as tee may still be
// about to show it on this terminal: give it the moment to do so, so that the
// editor draws over that copy rather than before it.
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

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

namespace terminal {

bool IsTerminal(int fd) { return isatty(fd) == 1; }

IoResult ReadKeyPress(int fd, char* key, bool* in_sequence) {
  static EscapeSequence sequence;
  // An Esc that no byte followed at once was the Esc key alone.
  if (sequence.bytes == "\x1b") {
    struct pollfd ready = {fd, POLLIN, 0};
    if (poll(&ready, 1, kEscapeWaitMs) == 0) sequence.bytes.clear();
  }
  const long n = ReadRetrying(fd, key, 1);
  if (n < 0) return Failure(errno);
  if (n == 0) return Failure(EIO);  // in key mode only a hang-up reads nothing
  if (n == 1) {
    const KeyByte kind = FollowKeyByte(&sequence, static_cast<unsigned char>(*key));
    if (kind == KeyByte::kLast) sequence.bytes.clear();
    *in_sequence = kind != KeyByte::kCharacter && *key != '\x1b';
  }
  return IoResult{n, 0};
}

IoResult ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line,
                   bool* too_long) {
  if (!SetUpLineEditor(input_fd)) return Failure(errno);
  LineEditor& editor = g_line_editor;
  editor.prompt.assign(prompt);
  editor.sequence.bytes.clear();
  editor.decoding = mbstate_t{};
  editor.too_long = false;
  editor.end_of_input = false;
  editor.recalled = 0;
  editor.prompt_width = mbstowcs(nullptr, editor.prompt.c_str(), 0);
  editor.columns = ColumnsOf(editor.terminal_fd);
  if (terminal::TakeScreenEvents().resized) el_resize(editor.editor);
  const bool prompt_in_output = !IsTerminal(output_fd);
  if (prompt_in_output) {
    LetReaderShowPrompt(output_fd);
    WriteText(editor.terminal_fd, "\r");
  }
  terminal::NoteOpenLine(editor.terminal_fd, 0);
  int count = 0;
  errno = 0;
  const char* typed = el_gets(editor.editor, &count);
  // libedit has put the terminal back into key mode (EL_SETTY above).
  if (typed == nullptr || count <= 0) {
    if (!editor.end_of_input)
      return Failure(errno != 0 ? errno : EIO);  // the editor could not use the terminal
    // The console ends the line on a terminal output; on a redirected one, this line is ours.
    if (prompt_in_output && write(editor.terminal_fd, "\n", 1) == 1) terminal::NoteOpenLine(-1, 0);
    return IoResult{};
  }
  terminal::NoteOpenLine(-1, 0);  // Enter began a new line
  *too_long = editor.too_long;
  line->clear();
  if (!editor.too_long) {
    line->assign(typed, static_cast<std::size_t>(count));
    if (line->back() != '\n') line->push_back('\n');
    if (!IsBlank(*line) && line->size() <= kLongestRecalledReply) {
      HistEvent event;
      history(editor.history, &event, H_ENTER, line->substr(0, line->size() - 1).c_str());
    }
  }
  return IoResult{count, 0};
}

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

}  // namespace terminal

}  // namespace vergleichsspannung
