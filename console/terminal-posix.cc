#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cassert>
#include <initializer_list>

#include "console/terminal.h"

namespace {

// The terminal's own settings, saved before a key read changes them, the
// terminal they belong to, and whether the key-read settings are in force.
// Signal handlers read all three.
struct termios g_own_settings;
volatile sig_atomic_t g_terminal = -1;
volatile sig_atomic_t g_key_mode = 0;

void RestoreOwnSettings() {
  if (g_key_mode) {
    tcsetattr(g_terminal, TCSANOW, &g_own_settings);
    g_key_mode = 0;
  }
}

// Ends the process by the signal that arrived, after giving the terminal its
// own settings back, so the shell sees both an echoing terminal and the signal.
// Installed with SA_RESETHAND | SA_NODEFER: the raise below takes the default
// action at once.
void OnEndingSignal(int signal_number) {
  if (g_key_mode) tcsetattr(g_terminal, TCSANOW, &g_own_settings);
  raise(signal_number);
}

void InstallHandler(int signal_number, void (*handler)(int), int flags) {
  struct sigaction previous;
  if (sigaction(signal_number, nullptr, &previous) != 0) return;
  if (previous.sa_handler == SIG_IGN) return;  // whoever started us wants it ignored
  struct sigaction action = {};
  action.sa_handler = handler;
  action.sa_flags = flags;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

// Ctrl-Z while a key is awaited: hand the shell its terminal settings, stop,
// and take the key-read settings up again when continued.
void OnStop(int signal_number) {
  const sig_atomic_t was_key_mode = g_key_mode;
  struct termios key_settings;
  if (was_key_mode) {
    tcgetattr(g_terminal, &key_settings);
    tcsetattr(g_terminal, TCSANOW, &g_own_settings);
  }
  signal(signal_number, SIG_DFL);
  raise(signal_number);
  InstallHandler(signal_number, OnStop, SA_NODEFER | SA_RESTART);
  if (was_key_mode) tcsetattr(g_terminal, TCSANOW, &key_settings);
}

void InstallHandlersOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    InstallHandler(signal_number, OnEndingSignal, SA_RESETHAND | SA_NODEFER);
  }
  InstallHandler(SIGTSTP, OnStop, SA_NODEFER | SA_RESTART);
  atexit(RestoreOwnSettings);
}

// Holds the terminal in key-read settings (no line mode, no echo, one byte
// suffices) for its lifetime; signals keep working.
class KeyModeGuard {
 public:
  explicit KeyModeGuard(int fd) {
    g_terminal = fd;
    if (tcgetattr(fd, &g_own_settings) != 0) return;
    struct termios key_settings = g_own_settings;
    key_settings.c_lflag &= ~(ICANON | ECHO);
    key_settings.c_cc[VMIN] = 1;
    key_settings.c_cc[VTIME] = 0;
    g_key_mode = 1;
    if (tcsetattr(fd, TCSANOW, &key_settings) != 0) g_key_mode = 0;
  }
  ~KeyModeGuard() { RestoreOwnSettings(); }
  KeyModeGuard(const KeyModeGuard&) = delete;
  KeyModeGuard& operator=(const KeyModeGuard&) = delete;
};

// Waits until `fd` is ready for `events`: another process may have set the
// open pipe non-blocking, and its data may simply not be there yet.
bool AwaitReady(int fd, short events) {
  struct pollfd ready = {fd, events, 0};
  for (;;) {
    if (poll(&ready, 1, -1) >= 0) return true;
    if (errno != EINTR) return false;
  }
}

bool WouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

long ReadRetrying(int fd, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(fd, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    if (!WouldBlock(errno) || !AwaitReady(fd, POLLIN)) return -1;
  }
}

}  // namespace

namespace terminal {

bool IsTerminal(int fd) { return isatty(fd) == 1; }

long ReadKeyPress(int fd, char* buffer, std::size_t size) {
  assert(IsTerminal(fd) && size > 0);
  InstallHandlersOnce();
  KeyModeGuard key_mode(fd);
  // A key that sends several bytes (function keys, umlauts) arrives in one read.
  return ReadRetrying(fd, buffer, size);
}

long ReadInput(int fd, char* buffer, std::size_t size) {
  assert(size > 0);
  return ReadRetrying(fd, buffer, size);
}

bool WriteOutput(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && WouldBlock(errno) && AwaitReady(fd, POLLOUT)) continue;
    if (n == 0) errno = EIO;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace terminal
