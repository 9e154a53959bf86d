#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cassert>
#include <initializer_list>

#include "console/terminal.h"

namespace {

// The terminal's own settings, saved before a key read changes them, and
// whether the key-read settings are in force. Signal handlers read both.
struct termios g_own_settings;
volatile sig_atomic_t g_key_mode = 0;

void RestoreOwnSettings() {
  if (g_key_mode) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_own_settings);
    g_key_mode = 0;
  }
}

// Ends the process by the signal that arrived, after giving the terminal its
// own settings back, so the shell sees both an echoing terminal and the signal.
// Installed with SA_RESETHAND | SA_NODEFER: the raise below takes the default
// action at once.
void OnEndingSignal(int signal_number) {
  if (g_key_mode) tcsetattr(STDIN_FILENO, TCSANOW, &g_own_settings);
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
    tcgetattr(STDIN_FILENO, &key_settings);
    tcsetattr(STDIN_FILENO, TCSANOW, &g_own_settings);
  }
  signal(signal_number, SIG_DFL);
  raise(signal_number);
  InstallHandler(signal_number, OnStop, SA_NODEFER | SA_RESTART);
  if (was_key_mode) tcsetattr(STDIN_FILENO, TCSANOW, &key_settings);
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
  KeyModeGuard() {
    if (tcgetattr(STDIN_FILENO, &g_own_settings) != 0) return;
    struct termios key_settings = g_own_settings;
    key_settings.c_lflag &= ~(ICANON | ECHO);
    key_settings.c_cc[VMIN] = 1;
    key_settings.c_cc[VTIME] = 0;
    g_key_mode = 1;
    if (tcsetattr(STDIN_FILENO, TCSANOW, &key_settings) != 0) g_key_mode = 0;
  }
  ~KeyModeGuard() { RestoreOwnSettings(); }
  KeyModeGuard(const KeyModeGuard&) = delete;
  KeyModeGuard& operator=(const KeyModeGuard&) = delete;
};

long ReadRetrying(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) return -1;
  }
}

}  // namespace

namespace terminal {

bool InputIsTerminal() {
  static const bool is_terminal = isatty(STDIN_FILENO) == 1;
  return is_terminal;
}

long ReadKeyPress(char* buffer, std::size_t size) {
  assert(InputIsTerminal() && size > 0);
  InstallHandlersOnce();
  KeyModeGuard key_mode;
  // A key that sends several bytes (function keys, umlauts) arrives in one read.
  return ReadRetrying(buffer, size);
}

long ReadInput(char* buffer, std::size_t size) {
  assert(size > 0);
  return ReadRetrying(buffer, size);
}

bool WriteOutput(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(STDOUT_FILENO, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace terminal
