#include <errno.h>
#include <histedit.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cassert>
#include <initializer_list>
#include <string>

#include "console/terminal.h"

namespace {

// The terminal's own settings, saved when key mode began, the terminal they
// belong to, and whether they still have to be given back. Signal handlers
// read all three.
struct termios g_own_settings;
volatile sig_atomic_t g_terminal = -1;
volatile sig_atomic_t g_changed = 0;

void RestoreOwnSettings() {
  if (g_changed) {
    tcsetattr(g_terminal, TCSADRAIN, &g_own_settings);
    g_changed = 0;
  }
}

// Ends the process by the signal that arrived, after giving the terminal its
// own settings back, so the shell sees both an echoing terminal and the signal.
// Installed with SA_RESETHAND | SA_NODEFER: the raise below takes the default
// action at once.
void OnEndingSignal(int signal_number) {
  if (g_changed) tcsetattr(g_terminal, TCSANOW, &g_own_settings);
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

// Ctrl-Z: hand the shell its terminal settings, stop, and take up again
// whatever was in force (key mode, or the line editor's) when continued.
void OnStop(int signal_number) {
  const sig_atomic_t changed = g_changed;
  struct termios settings_in_force;
  if (changed) {
    tcgetattr(g_terminal, &settings_in_force);
    tcsetattr(g_terminal, TCSANOW, &g_own_settings);
  }
  signal(signal_number, SIG_DFL);
  raise(signal_number);
  InstallHandler(signal_number, OnStop, SA_NODEFER | SA_RESTART);
  if (changed) tcsetattr(g_terminal, TCSANOW, &settings_in_force);
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

// The line editor, set up at the first reply, and the prompt it shows.
struct LineEditor {
  EditLine* editor = nullptr;
  History* history = nullptr;
  std::string prompt;
};

LineEditor g_line_editor;

const char* CurrentPrompt(EditLine*) { return g_line_editor.prompt.c_str(); }

// Replies recalled with Up and Down, kept in memory for this session only.
constexpr int kHistoryLines = 500;

bool SetUpLineEditor(int input_fd, int output_fd) {
  if (g_line_editor.editor != nullptr) return true;
  FILE* in = fdopen(dup(input_fd), "r");
  FILE* out = fdopen(dup(output_fd), "w");
  if (in == nullptr || out == nullptr) return false;
  EditLine* editor = el_init("vergleichsspannung", in, out, stderr);
  if (editor == nullptr) return false;
  // After each line libedit gives the terminal its settings for running
  // programs, normally line mode with echo. Key mode instead, so no key typed
  // ahead of the next prompt is echoed or held back in line mode.
  el_set(editor, EL_SETTY, "-x", "-icanon", "-echo", nullptr);
  // Its own signal handling would pass a signal on to the whole process group,
  // and the script that started us with it; the handlers above suffice.
  el_set(editor, EL_SIGNAL, 0);
  el_set(editor, EL_EDITOR, "emacs");
  el_set(editor, EL_PROMPT, CurrentPrompt);
  History* replies = history_init();
  HistEvent event;
  history(replies, &event, H_SETSIZE, kHistoryLines);
  history(replies, &event, H_SETUNIQUE, 1);
  el_set(editor, EL_HIST, history, replies);
  g_line_editor.editor = editor;
  g_line_editor.history = replies;
  return true;
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

namespace terminal {

bool IsTerminal(int fd) { return isatty(fd) == 1; }

void EnterKeyMode(int fd) {
  assert(IsTerminal(fd));
  InstallHandlersOnce();
  if (tcgetattr(fd, &g_own_settings) != 0) return;
  g_terminal = fd;
  struct termios key_settings = g_own_settings;
  key_settings.c_lflag &= ~(ICANON | ECHO);
  key_settings.c_cc[VMIN] = 1;
  key_settings.c_cc[VTIME] = 0;
  g_changed = 1;
  if (tcsetattr(fd, TCSANOW, &key_settings) != 0) g_changed = 0;
}

void LeaveKeyMode() { RestoreOwnSettings(); }

long ReadKeyPress(int fd, char* key) { return ReadRetrying(fd, key, 1); }

int ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line) {
  const bool ready = SetUpLineEditor(input_fd, output_fd);
  int count = 0;
  const char* typed = nullptr;
  if (ready) {
    g_line_editor.prompt.assign(prompt);
    typed = el_gets(g_line_editor.editor, &count);
  }
  // libedit has put the terminal back into key mode (EL_SETTY above).
  if (!ready || count < 0) {
    if (!ready) errno = ENOMEM;
    return -1;
  }
  if (typed == nullptr || count == 0) return 0;
  line->assign(typed, static_cast<std::size_t>(count));
  if (line->back() != '\n') line->push_back('\n');
  if (!IsBlank(*line)) {
    HistEvent event;
    history(g_line_editor.history, &event, H_ENTER, line->substr(0, line->size() - 1).c_str());
  }
  return 1;
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
