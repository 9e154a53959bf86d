// The Windows console: keys are read as input events and replies in the
// console's own line input, both as UTF-16 characters, so that what the
// dialogue reads is the UTF-8 text typed and never a code page's guess at it.
// Text for the console goes out through WriteConsoleW for the same reason;
// pipes and files are read and written byte for byte.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"
#include "console/terminal/wide_text.h"

namespace vergleichsspannung {

namespace {

// Bytes of text converted and handed to the console per write.
constexpr std::size_t kConsoleWriteBytes = 4096;
// UTF-16 units asked of the line input per read.
constexpr DWORD kReadUnits = 512;

// A key code waiting to be delivered: a held key repeats, a function or arrow
// key gives two codes.
struct KeyCode {
  char code;
  bool in_sequence;
};

// Set by whichever thread ends the program after Ctrl-C first: the console
// runs the Ctrl-C handler on a thread of its own while the dialogue's thread
// sees its line input aborted.
volatile LONG g_ending = 0;

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return EPIPE;
    case ERROR_INVALID_HANDLE:
      return EBADF;
    default:
      return EIO;
  }
}

// Takes input byte for byte, so that a CR before a newline reaches the
// dialogue, which reads it as part of the line end.
void UseBinaryInputOnce(int fd) {
  static const bool done = (_setmode(fd, _O_BINARY), true);
  (void)done;
}

// Moves the cursor to the start of the next line when the user's typing or a
// prompt left it inside one, so that what the shell prints next stands apart.
void EndOpenConsoleLine() {
  HANDLE screen =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (screen == INVALID_HANDLE_VALUE) return;
  CONSOLE_SCREEN_BUFFER_INFO info;
  DWORD written = 0;
  if (GetConsoleScreenBufferInfo(screen, &info) && info.dwCursorPosition.X != 0) {
    WriteConsoleW(screen, L"\r\n", 2, &written, nullptr);
  }
  CloseHandle(screen);
}

// Ends the program after Ctrl-C or Ctrl-Break as Windows ends a console
// program that takes no notice of it, with STATUS_CONTROL_C_EXIT, but first
// ends the line the user was typing on.
[[noreturn]] void EndByInterrupt() {
  if (InterlockedExchange(&g_ending, 1) == 0) {
    EndOpenConsoleLine();
    ExitProcess(STATUS_CONTROL_C_EXIT);
  }
  for (;;) Sleep(INFINITE);  // the other thread is ending the process
}

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  EndByInterrupt();
}

bool IsModifierKey(WORD virtual_key) {
  switch (virtual_key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
    case VK_LWIN:
    case VK_RWIN:
      return true;
    default:
      return false;
  }
}

// Queues the codes of one key event. A character is one key, whatever its
// size: beyond ASCII its code is the first byte of its UTF-8 form, which no
// command takes, and the second half of a surrogate pair adds nothing. A key
// without a character gives 0, or 224 for the keys of the extended keyboard,
// as _getch begins them, and then its scan code as part of a sequence, so that
// no second code is ever taken for a letter. Shift, Ctrl and Alt alone give
// nothing. The codes go to the back of *pending.
void QueueKey(const KEY_EVENT_RECORD& event, std::deque<KeyCode>* pending) {
  const wchar_t unit = event.uChar.UnicodeChar;
  // Alt and a number on the keypad give their character when Alt goes up.
  const bool typed_with_alt = !event.bKeyDown && event.wVirtualKeyCode == VK_MENU && unit != 0;
  if (!event.bKeyDown && !typed_with_alt) return;
  if (unit >= 0xdc00 && unit <= 0xdfff) return;
  if (unit == 0 && IsModifierKey(event.wVirtualKeyCode)) return;
  for (WORD i = 0; i < std::max<WORD>(event.wRepeatCount, 1); ++i) {
    if (unit != 0) {
      // A first half of a surrogate pair begins a character of four bytes.
      const char lead = unit >= 0xd800 && unit <= 0xdbff
                            ? static_cast<char>(0xf0)
                            : Utf8FromUtf16(std::u16string(1, static_cast<char16_t>(unit)))[0];
      pending->push_back(KeyCode{lead, false});
    } else {
      const bool extended = (event.dwControlKeyState & ENHANCED_KEY) != 0;
      pending->push_back(KeyCode{static_cast<char>(extended ? 0xe0 : 0), false});
      pending->push_back(KeyCode{static_cast<char>(event.wVirtualScanCode), true});
    }
  }
}

// Writes `text` to the console as wide characters, each newline as CR LF as
// standard output's text mode writes it elsewhere.
IoResult WriteConsoleText(HANDLE console, std::string_view text) {
  std::u16string units;
  for (const char16_t unit : Utf16FromUtf8(text)) {
    if (unit == u'\n') units += u'\r';
    units += unit;
  }
  std::size_t done = 0;
  while (done < units.size()) {
    DWORD written = 0;
    const auto* start = reinterpret_cast<const wchar_t*>(units.data() + done);
    const auto count = static_cast<DWORD>(units.size() - done);
    if (!WriteConsoleW(console, start, count, &written, nullptr)) {
      return Failure(ErrnoOf(GetLastError()));
    }
    if (written == 0) return Failure(EIO);
    done += written;
  }
  return IoResult{static_cast<long>(text.size()), 0};
}

// Reads one typed line from the console's line input into *units, keeping
// what a reply may hold; sets *cut when more came. Ctrl-C aborts the read and
// ends the program. Counts 0 when the console gave nothing.
IoResult ReadConsoleUnits(HANDLE input, std::u16string* units, bool* cut) {
  const std::size_t kept = ConsoleLineUnitsKept();
  for (;;) {
    wchar_t piece[kReadUnits];
    DWORD count = 0;
    SetLastError(0);
    const BOOL read = ReadConsoleW(input, piece, kReadUnits, &count, nullptr);
    if (GetLastError() == ERROR_OPERATION_ABORTED) EndByInterrupt();
    if (!read) return Failure(ErrnoOf(GetLastError()));
    if (count == 0) return IoResult{static_cast<long>(units->size()), 0};
    const std::size_t room = kept - std::min(kept, units->size());
    const std::size_t taken = std::min<std::size_t>(count, room);
    units->append(piece, piece + taken);
    *cut = *cut || taken < count;
    if (piece[count - 1] == L'\n') return IoResult{static_cast<long>(units->size()), 0};
  }
}

// The console's keys as input events and its replies through its own line
// input, which edits the reply and recalls earlier ones.
class ConsoleInput : public Input {
 public:
  ConsoleInput(int input_fd, int output_fd) : input_fd_(input_fd), output_fd_(output_fd) {}

  bool terminal() const override { return true; }

  IoResult ReadForKey(std::vector<char>* buffer, KeyRead* read) override {
    *read = KeyRead();
    const HANDLE input = HandleOf(input_fd_);
    while (pending_.empty()) {
      INPUT_RECORD record;
      DWORD count = 0;
      if (!ReadConsoleInputW(input, &record, 1, &count)) return Failure(ErrnoOf(GetLastError()));
      if (count == 1 && record.EventType == KEY_EVENT) QueueKey(record.Event.KeyEvent, &pending_);
    }
    (*buffer)[0] = pending_.front().code;
    read->in_sequence = pending_.front().in_sequence;
    pending_.pop_front();
    return IoResult{1, 0};
  }

  IoResult ReadForReply(std::string_view prompt, std::vector<char>* buffer,
                        ReplyRead* read) override {
    *read = ReplyRead();
    if (IsConsole(HandleOf(output_fd_))) {
      const IoResult written = terminal::WriteSome(output_fd_, prompt.data(), prompt.size());
      if (written.failed()) return written;
    }
    std::u16string units;
    bool cut = false;
    const IoResult got = ReadConsoleUnits(HandleOf(input_fd_), &units, &cut);
    if (got.failed() || got.count == 0) return got;
    std::string line;
    switch (ReadConsoleLine(units, cut, &line)) {
      case ConsoleLineKind::kEndOfInput:
        return IoResult{};
      case ConsoleLineKind::kTooLong:
        read->too_long = true;
        line = "\n";
        break;
      case ConsoleLineKind::kReply:
        break;
    }
    if (line.size() > buffer->size()) buffer->resize(line.size());
    std::copy(line.begin(), line.end(), buffer->begin());
    return IoResult{static_cast<long>(line.size()), 0};
  }

  IoResult ShowReply(std::string_view prompt, std::string_view text) override {
    if (!IsConsole(HandleOf(output_fd_))) return IoResult{};  // the prompt went elsewhere too
    std::string shown(prompt);
    shown.append(text);
    shown += '\n';
    const IoResult written = terminal::WriteSome(output_fd_, shown.data(), shown.size());
    return written.failed() || written.count == static_cast<long>(shown.size()) ? written
                                                                                : Failure(EIO);
  }

 private:
  int input_fd_;
  int output_fd_;
  // Codes decoded but not delivered yet.
  std::deque<KeyCode> pending_;
};

}  // namespace

namespace terminal {

// A console, not merely a character device such as NUL, which reads as a file.
bool IsTerminal(int fd) { return IsConsole(HandleOf(fd)); }

// The console needs no mode of its own: keys come as input events, which its
// line input neither echoes nor waits for. What it needs is a handler that
// ends the line the user typed on when Ctrl-C ends the program.
IoResult EnterKeyMode(int fd) {
  assert(IsTerminal(fd));
  (void)fd;
  if (!SetConsoleCtrlHandler(OnConsoleControl, TRUE)) return Failure(ErrnoOf(GetLastError()));
  return IoResult{};
}

IoResult LeaveKeyMode() {
  SetConsoleCtrlHandler(OnConsoleControl, FALSE);
  return IoResult{};
}

std::unique_ptr<Input> OpenTerminalInput(int input_fd, int output_fd) {
  return std::make_unique<ConsoleInput>(input_fd, output_fd);
}

// The console redraws its own input line; no signal needs to know the screen.
int ScreenEventDescriptor() { return -1; }
ScreenEvents TakeScreenEvents() { return ScreenEvents(); }
void NoteOpenLine(int fd, int rows_below_cursor) {
  (void)fd;
  (void)rows_below_cursor;
}

// Only pipes and files are read here: the console's keys and lines come
// through ConsoleInput.
IoResult ReadSome(int fd, char* buffer, std::size_t size) {
  assert(size > 0);
  UseBinaryInputOnce(fd);
  const int n = _read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
  return n < 0 ? Failure(errno) : IoResult{n, 0};
}

IoResult WriteSome(int fd, const char* data, std::size_t size) {
  const HANDLE handle = HandleOf(fd);
  if (IsConsole(handle)) {
    // A character cut in two would show as two replacement marks.
    std::size_t end = std::min(size, kConsoleWriteBytes);
    while (end < size && end > 0 && (static_cast<unsigned char>(data[end]) & 0xc0) == 0x80) --end;
    if (end == 0) end = std::min(size, kConsoleWriteBytes);
    return WriteConsoleText(handle, std::string_view(data, end));
  }
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
