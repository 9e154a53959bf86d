#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cassert>
#include <cstddef>
#include <string>

#include "console/messages.h"
#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"

namespace vergleichsspannung {

namespace {

// Everything a signal handler reads or writes, in one place.
struct HandlerRecord {
  // The terminal's own settings, saved when key mode began, and the
  // terminal they belong to; `changed` while they still have to be given back.
  struct termios own_settings;
  volatile sig_atomic_t terminal = -1;
  volatile sig_atomic_t changed = 0;
  // The terminal on which a line stands open, or -1, and the rows of a
  // wrapped reply below the cursor's row.
  volatile sig_atomic_t open_line_fd = -1;
  volatile sig_atomic_t rows_below_cursor = 0;
  // Screen events not yet taken, and the pipe that wakes a wait for a key.
  volatile sig_atomic_t resized = 0;
  volatile sig_atomic_t continued = 0;
  int wakeup[2] = {-1, -1};
  // The line that says the settings could not be given back, made in the
  // user's language before any handler may need it.
  std::string not_given_back;
};

HandlerRecord g_record;

void SayNotGivenBack() {
  if (write(STDERR_FILENO, g_record.not_given_back.data(), g_record.not_given_back.size()) < 0) {
    // Nothing is left to tell it to.
  }
}

void WakeUp() {
  const int saved_errno = errno;
  if (g_record.wakeup[1] >= 0 && write(g_record.wakeup[1], "", 1) < 0) {
    // A full pipe holds a wake-up already.
  }
  errno = saved_errno;
}

// Gives the terminal its own settings back; false when that failed.
bool GiveSettingsBack(int when) {
  if (!g_record.changed) return true;
  // A terminal that hung up (EIO) keeps no settings for anybody.
  if (tcsetattr(g_record.terminal, when, &g_record.own_settings) != 0 && errno != EIO) return false;
  g_record.changed = 0;
  return true;
}

// Moves below the open line and its wrapped rows and ends it, so that what
// the shell writes next starts a line of its own.
void LeaveOpenLine() {
  static const char kNewlines[] = "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n";
  const int fd = g_record.open_line_fd;
  if (fd < 0) return;
  int rows = g_record.rows_below_cursor + 1;
  if (rows > static_cast<int>(sizeof kNewlines) - 1) rows = static_cast<int>(sizeof kNewlines) - 1;
  if (write(fd, kNewlines, static_cast<std::size_t>(rows)) < 0) return;
  g_record.rows_below_cursor = 0;
  g_record.open_line_fd = -1;
}

// Ends the process by the signal that arrived, after giving the terminal its
// own settings back, so the shell sees both an echoing terminal and the
// signal. Installed with SA_RESETHAND | SA_NODEFER: the raise below takes the
// default action at once.
void OnEndingSignal(int signal_number) {
  if (!GiveSettingsBack(TCSANOW)) SayNotGivenBack();
  LeaveOpenLine();
  raise(signal_number);
}

void OnContinue(int) {
  g_record.continued = 1;
  WakeUp();
}

void OnResize(int) {
  g_record.resized = 1;
  WakeUp();
}

void OnStop(int signal_number);

enum class Action { kEnd, kStop, kContinue, kResize };

struct Handler {
  int signal_number;
  Action action;
};

// Every signal whose default action ends the process and that can be caught
// (the real-time ones are added at run time), and the three that change the
// screen. A new signal is one row here.
constexpr Handler kHandlers[] = {
    {SIGHUP, Action::kEnd},    {SIGINT, Action::kEnd},       {SIGQUIT, Action::kEnd},
    {SIGILL, Action::kEnd},    {SIGTRAP, Action::kEnd},      {SIGABRT, Action::kEnd},
    {SIGBUS, Action::kEnd},    {SIGFPE, Action::kEnd},       {SIGUSR1, Action::kEnd},
    {SIGSEGV, Action::kEnd},   {SIGUSR2, Action::kEnd},      {SIGPIPE, Action::kEnd},
    {SIGALRM, Action::kEnd},   {SIGTERM, Action::kEnd},      {SIGXCPU, Action::kEnd},
    {SIGXFSZ, Action::kEnd},   {SIGVTALRM, Action::kEnd},    {SIGPROF, Action::kEnd},
    {SIGSYS, Action::kEnd},
#ifdef SIGSTKFLT
    {SIGSTKFLT, Action::kEnd},
#endif
#ifdef SIGPOLL
    {SIGPOLL, Action::kEnd},
#endif
#ifdef SIGPWR
    {SIGPWR, Action::kEnd},
#endif
    {SIGTSTP, Action::kStop},  {SIGCONT, Action::kContinue}, {SIGWINCH, Action::kResize},
};
constexpr int kFixedCount = sizeof kHandlers / sizeof kHandlers[0];
// Room for the real-time signals, which end the process too.
constexpr int kMostSignals = kFixedCount + 64;

// What each signal did before key mode began, given back when it ends.
struct Installed {
  int signal_number = 0;
  struct sigaction previous;
};
Installed g_installed[kMostSignals];
int g_installed_count = 0;

struct sigaction ActionFor(Action action) {
  struct sigaction chosen = {};
  sigemptyset(&chosen.sa_mask);
  switch (action) {
    case Action::kEnd:
      chosen.sa_handler = OnEndingSignal;
      chosen.sa_flags = SA_RESETHAND | SA_NODEFER;
      break;
    case Action::kStop:
      chosen.sa_handler = OnStop;
      chosen.sa_flags = SA_NODEFER | SA_RESTART;
      break;
    case Action::kContinue:
      chosen.sa_handler = OnContinue;
      chosen.sa_flags = SA_RESTART;
      break;
    case Action::kResize:
      chosen.sa_handler = OnResize;
      chosen.sa_flags = SA_RESTART;
      break;
  }
  return chosen;
}

// Takes over `signal_number` unless whoever started us wants it ignored.
void Install(int signal_number, Action action) {
  assert(g_installed_count < kMostSignals);
  Installed& slot = g_installed[g_installed_count];
  if (sigaction(signal_number, nullptr, &slot.previous) != 0) return;
  if (slot.previous.sa_handler == SIG_IGN) return;
  const struct sigaction chosen = ActionFor(action);
  if (sigaction(signal_number, &chosen, nullptr) != 0) return;
  slot.signal_number = signal_number;
  ++g_installed_count;
}

// Ctrl-Z: hand the shell its terminal settings, stop, and take up again
// whatever was in force when continued.
void OnStop(int signal_number) {
  const int saved_errno = errno;
  struct termios in_force;
  const bool give_back = g_record.changed && tcgetattr(g_record.terminal, &in_force) == 0;
  if (give_back) tcsetattr(g_record.terminal, TCSANOW, &g_record.own_settings);
  LeaveOpenLine();
  struct sigaction stop = {};
  stop.sa_handler = SIG_DFL;
  sigemptyset(&stop.sa_mask);
  sigaction(signal_number, &stop, nullptr);
  raise(signal_number);
  // Continued: this handler again for the next Ctrl-Z, key mode again.
  const struct sigaction again = ActionFor(Action::kStop);
  sigaction(signal_number, &again, nullptr);
  if (give_back) tcsetattr(g_record.terminal, TCSANOW, &in_force);
  errno = saved_errno;
  OnContinue(signal_number);
}

// Opens the pipe that wakes a wait for a key, both ends non-blocking (a
// handler must never wait on it) and closed on exec. Returns false when it
// cannot be opened.
bool OpenWakeUpPipe(int ends[2]) {
#ifdef VS_HAVE_PIPE2
  return pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0;
#else
  // No other thread runs, so nothing can exec between pipe and fcntl.
  if (pipe(ends) != 0) return false;
  for (int i = 0; i < 2; ++i) {
    const int flags = fcntl(ends[i], F_GETFL);
    if (flags < 0 || fcntl(ends[i], F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(ends[i], F_SETFD, FD_CLOEXEC) != 0) {
      close(ends[0]);
      close(ends[1]);
      return false;
    }
  }
  return true;
#endif
}

void InstallHandlers() {
  if (g_record.wakeup[0] < 0 && !OpenWakeUpPipe(g_record.wakeup))
    g_record.wakeup[0] = g_record.wakeup[1] = -1;
  for (const Handler& handler : kHandlers) Install(handler.signal_number, handler.action);
#ifdef SIGRTMIN
  for (int s = SIGRTMIN; s <= SIGRTMAX && g_installed_count < kMostSignals; ++s)
    Install(s, Action::kEnd);
#endif
}

void RestoreHandlers() {
  for (int i = g_installed_count - 1; i >= 0; --i)
    sigaction(g_installed[i].signal_number, &g_installed[i].previous, nullptr);
  g_installed_count = 0;
}

// On exit() from anywhere: the settings go back, or the status says they did not.
void GiveSettingsBackAtExit() {
  if (GiveSettingsBack(TCSADRAIN)) return;
  SayNotGivenBack();
  _exit(1);
}

}  // namespace

namespace terminal {

IoResult EnterKeyMode(int fd) {
  assert(IsTerminal(fd));
  if (g_record.changed) return IoResult{};
  struct termios own;
  if (tcgetattr(fd, &own) != 0) return Failure(errno);
  struct termios key_settings = own;
  // Single keys without echo; Ctrl-C and Ctrl-Z still signal. Ctrl-S would
  // freeze all output while keys act unseen: no flow control.
  key_settings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  key_settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF);
  key_settings.c_cc[VMIN] = 1;
  key_settings.c_cc[VTIME] = 0;
  g_record.own_settings = own;
  g_record.terminal = fd;
  if (g_record.not_given_back.empty()) {
    g_record.not_given_back = WarningLine(
        FillIn("%s: %s", {Translated("terminal error"), Translated("settings not given back")}));
  }
  static const bool at_exit = atexit(GiveSettingsBackAtExit) == 0;
  (void)at_exit;
  InstallHandlers();
  g_record.changed = 1;
  if (tcsetattr(fd, TCSANOW, &key_settings) != 0) {
    const int error = errno;
    g_record.changed = 0;
    RestoreHandlers();
    return Failure(error);
  }
  return IoResult{};
}

IoResult LeaveKeyMode() {
  const bool given_back = GiveSettingsBack(TCSADRAIN);
  const int error = errno;
  RestoreHandlers();
  return given_back ? IoResult{} : Failure(error);
}

int ScreenEventDescriptor() { return g_record.wakeup[0]; }

ScreenEvents TakeScreenEvents() {
  ScreenEvents events;
  if (g_record.wakeup[0] >= 0) {
    char wakeups[64];
    while (read(g_record.wakeup[0], wakeups, sizeof wakeups) > 0) {
    }
  }
  events.resized = g_record.resized != 0;
  events.continued = g_record.continued != 0;
  g_record.resized = 0;
  g_record.continued = 0;
  return events;
}

void NoteOpenLine(int fd, int rows_below_cursor) {
  assert(rows_below_cursor >= 0);
  g_record.open_line_fd = -1;  // no handler acts on half a note
  g_record.rows_below_cursor = rows_below_cursor;
  g_record.open_line_fd = fd;
}

}  // namespace terminal

}  // namespace vergleichsspannung
