// Runs the program on a pseudo-terminal, as a user at a terminal would, and
// checks key reads, echo, what the screen shows (through libvterm) and the
// terminal's settings after every way out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "console/terminal/emulated_screen.h"

namespace vergleichsspannung {

namespace {

constexpr int kTimeoutMs = 5000;
constexpr char kMenuEnd[] = "F8 q Exit\r\n";

using Screen = EmulatedScreen;

// How the program is started on the pseudo-terminal.
struct Start {
  const char* term = "xterm";    // TERM; unset when empty
  const char* output = nullptr;  // standard output opened here instead
  const char* errors = nullptr;  // standard error opened here instead
  int output_fd = -1;            // or standard output on this descriptor
  int input_fd = -1;             // standard input from this descriptor
  bool nonblocking = false;      // the terminal left O_NONBLOCK by another program
  // Run under a small job-control shell: the program in its own process
  // group in the foreground; when it stops, the shell takes the terminal,
  // prints "[stopped: settings as before]" (or "changed"), and continues it.
  bool job_control = false;
  bool ignore_hang_up = false;     // SIGHUP ignored, as under nohup
  const char* locale = "C.UTF-8";  // LC_ALL
  const char* typed_ahead = "";    // keys typed before the program starts
};

// The small shell of Start::job_control. Returns the exit status to pass on.
int RunAsJob(const char* program) {
  struct termios own;
  tcgetattr(0, &own);
  signal(SIGTTOU, SIG_IGN);
  const pid_t job = fork();
  if (job == 0) {
    setpgid(0, 0);
    tcsetpgrp(0, getpid());
    signal(SIGTTOU, SIG_DFL);
    execl(program, program, static_cast<char*>(nullptr));
    _exit(127);
  }
  setpgid(job, job);
  tcsetpgrp(0, job);
  for (;;) {
    int status = 0;
    if (waitpid(job, &status, WUNTRACED) != job) return 126;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    tcsetpgrp(0, getpgrp());
    struct termios now;
    tcgetattr(0, &now);
    const bool same = now.c_lflag == own.c_lflag && now.c_iflag == own.c_iflag;
    const std::string said = same ? "\n[stopped: settings as before]\n" : "\n[stopped: changed]\n";
    if (write(1, said.data(), said.size()) < 0) return 125;
    usleep(100000);
    tcsetpgrp(0, job);
    kill(-job, SIGCONT);
  }
}

class PtyProgram {
 public:
  explicit PtyProgram(Start start = Start(), int rows = 24, int columns = 80)
      : screen_(rows, columns) {
    struct winsize size = {};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(columns);
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
    tcgetattr(slave_, &before_);
    Type(start.typed_ahead);
    pid_ = fork();
    if (pid_ == 0) {
      close(master_);
      if (*start.term != 0) {
        setenv("TERM", start.term, 1);
      } else {
        unsetenv("TERM");
      }
      // The warnings the tests read are the English ones, whatever the caller's locale.
      setenv("LC_ALL", start.locale, 1);
      unsetenv("LANGUAGE");
      if (login_tty(slave_) != 0) _exit(126);
      if (start.output != nullptr && !freopen(start.output, "w", stdout)) _exit(125);
      if (start.errors != nullptr && !freopen(start.errors, "w", stderr)) _exit(125);
      if (start.output_fd >= 0) dup2(start.output_fd, 1);
      if (start.input_fd >= 0) dup2(start.input_fd, 0);
      if (start.nonblocking) fcntl(0, F_SETFL, fcntl(0, F_GETFL) | O_NONBLOCK);
      if (start.ignore_hang_up) signal(SIGHUP, SIG_IGN);
      const struct rlimit no_core = {0, 0};
      setrlimit(RLIMIT_CORE, &no_core);
      if (start.job_control) _exit(RunAsJob(VS_PROGRAM));
      execl(VS_PROGRAM, VS_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~PtyProgram() {
    if (pid_ > 0 && !waited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  const Screen& screen() const { return screen_; }

  void Type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Hangs the terminal up, as closing its window does: the program's reads
  // then find nothing. Needs root; elsewhere closing the master gives EIO.
  void HangUp() {
    if (ioctl(slave_, TIOCVHANGUP) == 0) return;
    close(master_);
    master_ = -1;
  }

  // Changes the window's size, as a terminal emulator does when the user
  // drags its border; the kernel then tells the program by SIGWINCH.
  void Resize(int rows, int columns) {
    struct winsize size = {};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(columns);
    screen_.Resize(rows, columns);
    ASSERT_EQ(ioctl(master_, TIOCSWINSZ, &size), 0);
  }

  // Shows `text` on the terminal as another program writing there would
  // (tee, for one).
  void ShowOnTerminal(const std::string& text) {
    ASSERT_EQ(write(slave_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // Returns everything the program printed until `text` appeared (text
  // included); fails the test, returning all it printed, at the time-out. While it waits, copies
  // what arrives on `relay` (a pipe the program writes) onto the terminal, as
  // tee would, and appends it to *relayed.
  std::string ReadThrough(const std::string& text, int relay = -1, std::string* relayed = nullptr) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (unread_.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      if (!Pump(50, relay, relayed)) break;
    }
    const std::size_t at = unread_.find(text);
    if (at == std::string::npos) {
      ADD_FAILURE() << "no \"" << text << "\" within " << kTimeoutMs
                    << " ms; the program printed:\n"
                    << unread_;
    }
    const std::size_t end = at == std::string::npos ? unread_.size() : at + text.size();
    std::string read = unread_.substr(0, end);
    unread_.erase(0, end);
    return read;
  }

  // Returns what the program printed after the last read, waiting until it
  // has printed nothing for a tenth of a second.
  std::string ReadRest() {
    std::size_t size = 0;
    do {
      size = unread_.size();
      Pump(100, -1, nullptr);
    } while (unread_.size() != size);
    std::string rest;
    rest.swap(unread_);
    return rest;
  }

  // Writes `keys`, however many, while reading what the program prints, as a
  // paste into a terminal does.
  void Paste(const std::string& keys) {
    std::size_t written = 0;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(6 * kTimeoutMs);
    while (written < keys.size() && std::chrono::steady_clock::now() < deadline) {
      struct pollfd ready = {master_, POLLOUT, 0};
      if (poll(&ready, 1, 10) > 0) {
        const std::size_t size = std::min<std::size_t>(4096, keys.size() - written);
        const ssize_t n = write(master_, keys.data() + written, size);
        if (n > 0) written += static_cast<std::size_t>(n);
      }
      Pump(0, -1, nullptr);
    }
    ASSERT_EQ(written, keys.size());
  }

  // Waits until the program has the terminal in single-key mode. A key typed
  // before that is echoed by the terminal's line mode, as with any program.
  bool AwaitKeyMode() {
    for (int waited = 0; waited < kTimeoutMs; waited += 10) {
      struct termios now;
      if (tcgetattr(slave_, &now) == 0 && !(now.c_lflag & ICANON)) return true;
      usleep(10000);
    }
    return false;
  }

  // Presses `key` once the program awaits a key, so the terminal's line mode
  // never sees it.
  void PressKey(char key) {
    ASSERT_TRUE(AwaitKeyMode());
    Type(std::string(1, key));
  }

  // Expects the program to end with `exit_status` and the terminal as it was.
  void ExpectCleanExit(int exit_status = 0) {
    const int status = Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), exit_status);
    ExpectSettingsAsBefore();
  }

  // Returns the wait status of the program's end.
  int Wait() {
    int status = -1;
    for (int waited = 0; waited < kTimeoutMs; waited += 10) {
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        waited_ = true;
        return status;
      }
      usleep(10000);
    }
    return -1;
  }

  // Expects the terminal's settings to be those it had before the start.
  void ExpectSettingsAsBefore() {
    struct termios after;
    ASSERT_EQ(tcgetattr(slave_, &after), 0);
    EXPECT_EQ(after.c_iflag, before_.c_iflag);
    EXPECT_EQ(after.c_oflag, before_.c_oflag);
    EXPECT_EQ(after.c_cflag, before_.c_cflag);
    EXPECT_EQ(after.c_lflag, before_.c_lflag);
    for (int i = 0; i < NCCS; ++i) EXPECT_EQ(after.c_cc[i], before_.c_cc[i]) << "c_cc " << i;
  }

 private:
  // Takes what the program printed within `timeout_ms` onto the screen, and
  // relays `relay` as ReadThrough says. Returns false when the terminal closed.
  bool Pump(int timeout_ms, int relay, std::string* relayed) {
    struct pollfd ready[2] = {{master_, POLLIN, 0}, {relay, POLLIN, 0}};
    if (poll(ready, relay >= 0 ? 2 : 1, timeout_ms) <= 0) return true;
    char buffer[4096];
    if (relay >= 0 && (ready[1].revents & POLLIN)) {
      const ssize_t n = read(relay, buffer, sizeof buffer);
      if (n > 0) {
        relayed->append(buffer, static_cast<std::size_t>(n));
        ShowOnTerminal(std::string(buffer, static_cast<std::size_t>(n)));
      }
    }
    if (!(ready[0].revents & (POLLIN | POLLHUP))) return true;
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;
    unread_.append(buffer, static_cast<std::size_t>(n));
    screen_.Feed(std::string(buffer, static_cast<std::size_t>(n)));
    return true;
  }

  Screen screen_;
  int master_ = -1;
  int slave_ = -1;
  pid_t pid_ = -1;
  bool waited_ = false;
  struct termios before_ = {};
  std::string unread_;
};

// Returns what a reader sees of terminal output: line ends as LF, the line
// editor's control sequences and carriage returns left out.
std::string AsText(const std::string& output) {
  std::string text;
  for (std::size_t i = 0; i < output.size(); ++i) {
    if (output[i] == '\033' && i + 1 < output.size() && output[i + 1] == '[') {
      i += 2;
      while (i < output.size() && !(output[i] >= 0x40 && output[i] <= 0x7e)) ++i;
    } else if (output[i] == '\033') {
      ++i;
    } else if (output[i] != '\r') {
      text += output[i];
    }
  }
  return text;
}

// Returns the program's output for `keys` fed through a pipe.
std::string PipedOutput(const std::string& keys) {
  char path[] = "/tmp/vs-keys-XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_EQ(write(fd, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  close(fd);
  FILE* program = popen((std::string(VS_PROGRAM) + " < " + path).c_str(), "r");
  std::string output;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, program)) > 0) output.append(buffer, n);
  pclose(program);
  unlink(path);
  return output;
}

TEST(TerminalTest, MenuKeysTypedWhileItPrintsGiveThePipedSession) {
  const std::string keys = "wgixw g a";
  PtyProgram program;
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.AwaitKeyMode());
  // Half in one burst, the rest while the program still prints the answers.
  program.Type(keys.substr(0, 4));
  for (char key : keys.substr(4)) program.Type(std::string(1, key));
  std::string output = program.ReadThrough("Ihre Wahl:");
  program.Type("2\n");
  output += program.ReadThrough(kMenuEnd);
  program.PressKey('q');
  program.ExpectCleanExit();
  // The terminal shows the reply as typed; a pipe has no echo.
  std::string expected = PipedOutput(keys + "2\n");
  expected.insert(expected.rfind("Ihre Wahl:") + 10, "2\n");
  EXPECT_EQ(AsText(output), expected);
}

TEST(TerminalTest, RepliesWorkWithoutATerminalType) {
  for (const char* term : {"", "dumb"}) {
    Start start;
    start.term = term;
    PtyProgram program(start);
    ASSERT_TRUE(program.started());
    program.ReadThrough(kMenuEnd);
    program.Type("a3\nw");
    EXPECT_NE(AsText(program.ReadThrough("weiter mit bel.Taste..")).find("\naxialsym.SpaZustand\n"),
              std::string::npos)
        << "TERM=" << term;
    program.Type(" q");
    program.ExpectCleanExit();
  }
}

TEST(TerminalTest, AFailedWriteLeavesTheTerminalAsItWas) {
  Start start;
  start.output = "/dev/full";
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  program.ExpectCleanExit(1);
}

TEST(TerminalTest, MenuKeysActWithoutEnterAndAreNotEchoed) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  ASSERT_NE(program.ReadThrough(kMenuEnd).find(kMenuEnd), std::string::npos);
  program.PressKey('\x13');  // Ctrl-S, which must not stop the output
  program.ReadThrough(kMenuEnd);
  program.PressKey('i');
  const std::string about = program.ReadThrough("weiter mit bel.Taste..");
  EXPECT_EQ(about.rfind("QUILM Vergleichsspannungen,", 0), 0u) << about;
  program.PressKey('x');
  const std::string menu = program.ReadThrough(kMenuEnd);
  EXPECT_EQ(menu.rfind("\r\nVergleichsspannung,i Info\r\n", 0), 0u) << menu;
  program.PressKey('q');
  program.ExpectCleanExit();
}

TEST(TerminalTest, KeysTypedBeforeKeyModeAct) {
  Start start;
  start.typed_ahead = "w";
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  EXPECT_NE(program.ReadThrough("weiter mit bel.Taste..").find("momentan def. Werte:"),
            std::string::npos);
  program.Type(" q");
  program.ExpectCleanExit();
}

TEST(TerminalTest, SignalsAtTheMenuAndInsideAReplyLeaveTheTerminalAsItWas) {
  // Every signal whose default action ends the program, at the menu and
  // (negative) inside a reply.
  for (int signal_number :
       {SIGINT,  SIGTERM,  SIGHUP,  SIGQUIT,  SIGUSR1,  SIGUSR2,  SIGALRM,  SIGVTALRM,
        SIGPROF, SIGXCPU,  SIGXFSZ, SIGABRT,  SIGPIPE,  SIGSEGV,  SIGSYS,   SIGRTMIN + 1,
        -SIGINT, -SIGTERM, -SIGHUP, -SIGQUIT, -SIGUSR1, -SIGPIPE, -SIGXFSZ, -SIGABRT}) {
    const bool in_reply = signal_number < 0;
    signal_number = std::abs(signal_number);
    PtyProgram program;
    ASSERT_TRUE(program.started());
    program.ReadThrough(kMenuEnd);
    ASSERT_TRUE(program.AwaitKeyMode());
    if (in_reply) {
      program.Type("c12");
      program.ReadThrough("SigXX [N/mm2]= 12");
    }
    if (signal_number == SIGINT) {
      program.Type("\x03");  // Ctrl-C, as the user types it
    } else {
      kill(program.pid(), signal_number);
    }
    const int status = program.Wait();
    // Inside a reply the line ends first, so the shell's message has a line of its own.
    if (in_reply) {
      EXPECT_EQ(program.ReadThrough("\n"), "\r\n") << "signal " << signal_number;
    }
    ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal_number;
    EXPECT_EQ(WTERMSIG(status), signal_number);
    program.ExpectSettingsAsBefore();
  }
}

TEST(TerminalTest, AHangUpEndsTheProgramWithAFailureAtTheMenuAndInsideAReply) {
  for (const bool in_reply : {false, true}) {
    Start start;
    start.ignore_hang_up = true;
    start.output = "/dev/null";  // no failed write to tell of the hang-up
    char errors[] = "/tmp/vs-hang-up-XXXXXX";
    close(mkstemp(errors));
    start.errors = errors;
    PtyProgram program(start);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.AwaitKeyMode());
    if (in_reply) {
      program.Type("c12");
      program.ReadThrough("12");
    }
    program.HangUp();
    const int status = program.Wait();
    ASSERT_TRUE(WIFEXITED(status)) << "in a reply: " << in_reply;
    EXPECT_EQ(WEXITSTATUS(status), 1) << "in a reply: " << in_reply;
    std::ifstream said(errors);
    const std::string error_line((std::istreambuf_iterator<char>(said)),
                                 std::istreambuf_iterator<char>());
    EXPECT_NE(error_line.find("vergleichsspannung: read error: "), std::string::npos)
        << "in a reply: " << in_reply << ": " << error_line;
    // A terminal that hung up keeps no settings: none are missing.
    EXPECT_EQ(error_line.find("settings"), std::string::npos) << error_line;
    unlink(errors);
  }
}

TEST(TerminalTest, CtrlDAtAPromptEndsTheProgramCleanly) {
  for (const char* output : {static_cast<const char*>(nullptr), "/dev/null"}) {
    Start start;
    start.output = output;  // redirected, the prompt's line is the reply line's
    PtyProgram program(start);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.AwaitKeyMode());
    program.Type("c");
    program.ReadThrough("SigXX [N/mm2]= ");
    program.Type("\x04");
    // The shell's prompt must not stand on the program's prompt line. The line
    // editor shows the Ctrl-D as "^D".
    const std::string end = program.ReadThrough("\n");
    EXPECT_TRUE(end == "\r\n" || end == "^D\r\n") << end;
    program.ExpectCleanExit();
  }
}

TEST(TerminalTest, KeyboardInWithOutputRedirectedGivesThePipedOutput) {
  const std::string keys = "a2\nc120 -80 45\nb3\ng w q";
  const std::string piped = PipedOutput(keys);
  // Output to a file, and through a pipe to tee, which shows it on the terminal too.
  char path[] = "/tmp/vs-output-XXXXXX";
  close(mkstemp(path));
  int tee[2];
  ASSERT_EQ(pipe(tee), 0);
  for (const bool to_tee : {false, true}) {
    Start start;
    if (to_tee) {
      start.output_fd = tee[1];
    } else {
      start.output = path;
    }
    PtyProgram program(start);
    ASSERT_TRUE(program.started());
    if (to_tee) close(tee[1]);
    std::string relayed;
    const int relay = to_tee ? tee[0] : -1;
    ASSERT_TRUE(program.AwaitKeyMode());
    program.Type("a");
    program.ReadThrough("Ihre Wahl:", relay, &relayed);
    program.Type("2\nc");
    program.ReadThrough("SigXX [N/mm2]= ", relay, &relayed);
    program.Type("120 -80 45\n");
    program.ReadThrough(to_tee ? kMenuEnd : "45\r\n", relay, &relayed);
    if (to_tee) {
      // Each prompt shows once, with the reply behind it.
      const std::string screen = program.screen().Text();
      EXPECT_NE(screen.find("\nSigXX [N/mm2]= 120 -80 45\n"), std::string::npos) << screen;
      EXPECT_EQ(screen.find("SigXX [N/mm2]="), screen.rfind("SigXX [N/mm2]=")) << screen;
    }
    program.Type("b");
    program.ReadThrough("Ihre Wahl:", relay, &relayed);
    program.Type("3\ng w q");
    program.ExpectCleanExit();
    if (to_tee) {
      char buffer[4096];
      ssize_t n;
      while ((n = read(tee[0], buffer, sizeof buffer)) > 0)
        relayed.append(buffer, static_cast<std::size_t>(n));
      EXPECT_EQ(relayed, piped);
    } else {
      FILE* file = fopen(path, "r");
      std::string written;
      char buffer[4096];
      std::size_t n;
      while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) written.append(buffer, n);
      fclose(file);
      EXPECT_EQ(written, piped);
    }
  }
  close(tee[0]);
  unlink(path);
}

TEST(TerminalTest, KeysFromAPipeLeaveTheTerminalAlone) {
  int keys[2];
  ASSERT_EQ(pipe(keys), 0);
  Start start;
  start.input_fd = keys[0];
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  close(keys[0]);
  const std::string session = "a2\nc1 2\n3\nw g q";
  ASSERT_EQ(write(keys[1], session.data(), session.size()), static_cast<ssize_t>(session.size()));
  close(keys[1]);
  program.ExpectCleanExit();
  const std::string output = program.ReadRest();
  std::string expected;
  for (const char c : PipedOutput(session))
    expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(output, expected);
}

TEST(TerminalTest, ARefusedOrEmptyReplyIsAskedAgain) {
  Start start;
  start.term = "xterm-256color";
  start.locale = "C";  // replies are UTF-8 all the same
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.Type("a2\nb3\n");
  program.ReadThrough("Ihre Wahl:");
  program.ReadThrough(kMenuEnd);
  program.PressKey('c');
  program.ReadThrough("SigXX [N/mm2]= ");
  program.Type("120\n-8O\n");
  program.ReadThrough("which stays 400\r\n");
  program.ReadThrough("SigYY [N/mm2]= ");
  const Screen& screen = program.screen();
  const int row = screen.Cursor().row;
  EXPECT_EQ(screen.Row(row - 2), "SigYY [N/mm2]= -8O");
  EXPECT_EQ(screen.Row(row - 1), "vergleichsspannung: \"-8O\" refused for SigYY, which stays 400");
  EXPECT_EQ(screen.Row(row), "SigYY [N/mm2]=");
  // An empty reply shows the prompt again on the next line; a pasted minus
  // sign (U+2212) is no minus.
  program.Type("\n");
  program.ReadThrough("SigYY [N/mm2]= ");
  EXPECT_EQ(screen.Row(screen.Cursor().row - 1), "SigYY [N/mm2]=");
  EXPECT_EQ(screen.Row(screen.Cursor().row), "SigYY [N/mm2]=");
  program.Type(
      "\u2212"
      "80 45\n");
  program.ReadThrough("SigYY [N/mm2]= ");
  EXPECT_EQ(screen.Row(screen.Cursor().row - 2),
            "SigYY [N/mm2]= \u2212"
            "80 45");
  EXPECT_EQ(screen.Row(screen.Cursor().row - 1),
            "vergleichsspannung: \"\u2212"
            "80\" refused for SigYY, which stays 400");
  program.Type("-80 45\n");
  program.ReadThrough(kMenuEnd);
  program.PressKey('g');
  EXPECT_NE(program.ReadThrough("weiter").find("SigV= 219.317[N/mm2]"), std::string::npos);
  program.Type(" q");
  program.ExpectCleanExit();
}

TEST(TerminalTest, TheReplyLineIsRedrawnAfterAResizeAndAStop) {
  Start start;
  start.job_control = true;
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.PressKey('c');
  program.ReadThrough("SigXX [N/mm2]= ");
  std::string reply;
  // On one row at 80 and 100 columns, on several at 40 and 33.
  for (int value = 710; value < 870; value += 10) reply += std::to_string(value) + " ";
  program.Type(reply);
  program.ReadThrough(reply.substr(reply.size() - 8));
  const std::string line = "SigXX [N/mm2]= " + reply.substr(0, reply.size() - 1);
  const Screen& screen = program.screen();
  for (const int columns : {40, 100, 33}) {
    program.Resize(24, columns);
    program.ReadThrough("SigXX [N/mm2]= 710");
    program.ReadThrough(reply.substr(reply.size() - 8));
    EXPECT_EQ(screen.LineFrom("SigXX [N/mm2]="), line) << columns << "\n" << screen.Text();
    EXPECT_EQ(screen.Cursor().col, static_cast<int>(line.size() + 1) % columns) << columns;
    // A terminal that rewraps (tmux) would keep a stale copy above: the line
    // wrapped at either width stands on a cleared screen.
    EXPECT_EQ(screen.Row(0).rfind("SigXX [N/mm2]= 710", 0), 0u) << columns << "\n" << screen.Text();
  }
  for (int stop = 0; stop < 2; ++stop) {
    program.Type("\x1a");  // Ctrl-Z
    // The reply's line ends before the shell speaks (here after its own newline).
    EXPECT_NE(program.ReadThrough("]").find("\r\n\r\n[stopped: settings as before]"),
              std::string::npos)
        << stop;
    program.ReadThrough(reply.substr(reply.size() - 8));
    EXPECT_EQ(screen.LineFrom("SigXX [N/mm2]="), line) << screen.Text();
    EXPECT_TRUE(program.AwaitKeyMode()) << "key mode is back after fg";
  }
  program.Type("\n");
  program.ReadThrough(kMenuEnd);
  // A second Ctrl-Z, at the menu: the settings go back again, and after fg
  // the menu shows again.
  program.Type("\x1a");
  EXPECT_NE(program.ReadThrough("]").find("[stopped: settings as before]"), std::string::npos);
  EXPECT_NE(program.ReadThrough(kMenuEnd).find(kMenuEnd), std::string::npos);
  ASSERT_TRUE(program.AwaitKeyMode());
  program.PressKey('q');
  program.ExpectCleanExit();
}

TEST(TerminalTest, KeysInModesAnotherProgramLeftOnTypeOrDoNothing) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  ASSERT_TRUE(program.AwaitKeyMode());
  // A click in column 81 (its byte 'q'), the application keypad's 1, kitty's c.
  program.Type("\033[M q!\033Oq\033[99u");
  program.ReadThrough("SigXX [N/mm2]= ");
  program.Type("1\033[97u2\n");
  EXPECT_NE(AsText(program.ReadThrough("SigXX [N/mm2]= ")).find("\"1a2\" refused for SigXX"),
            std::string::npos);
  program.Type("1\033Op\033Op\033[M#\033q\n2 3 4 5 6\n");
  program.ReadThrough(kMenuEnd);
  program.PressKey('w');
  EXPECT_NE(AsText(program.ReadThrough("weiter")).find("SigXX= 100[N/mm2]"), std::string::npos);
  program.Type(" q");
  program.ExpectCleanExit();
}

TEST(TerminalTest, ANonBlockingTerminalWorksAsAnyOther) {
  Start start;
  start.nonblocking = true;
  PtyProgram program(start);
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.PressKey('c');
  program.Type("1 2 3 4 5 6\n");
  program.ReadThrough(kMenuEnd);
  program.PressKey('w');
  EXPECT_NE(AsText(program.ReadThrough("weiter")).find("TauZX= 6[N/mm2]"), std::string::npos);
  program.Type(" q");
  program.ExpectCleanExit();
}

// Returns the most memory the process `pid` has held, in KiB, or -1.
long PeakMemoryKib(pid_t pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
  FILE* status = fopen(path, "r");
  if (status == nullptr) return -1;
  long peak_kib = -1;
  char line[256];
  while (fgets(line, sizeof line, status) != nullptr) std::sscanf(line, "VmHWM: %ld", &peak_kib);
  fclose(status);
  return peak_kib;
}

TEST(TerminalTest, APastedMegabyteReplyIsRefusedInBoundedMemory) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.PressKey('c');
  program.ReadThrough("SigXX [N/mm2]= ");
  const long before_kib = PeakMemoryKib(program.pid());
  std::string paste;
  while (paste.size() < (1 << 20)) paste += "1234567 ";
  program.Paste(paste + "\n");
  EXPECT_NE(program.ReadThrough("which stays 500\r\n")
                .find("a reply line of more than 1024 characters refused for SigXX"),
            std::string::npos);
  program.Type("7 8 9 1 2 3\n");
  program.ReadThrough(kMenuEnd);
  // What the paste added, whatever the program needed before (more under
  // AddressSanitizer): a megabyte kept whole, or a line per key, takes far more.
  const long peak_kib = PeakMemoryKib(program.pid());
  EXPECT_GT(before_kib, 0);
  EXPECT_LT(peak_kib - before_kib, 8 * 1024);
  program.PressKey('w');
  EXPECT_NE(AsText(program.ReadThrough("weiter")).find("SigXX= 7[N/mm2]"), std::string::npos);
  program.Type(" q");
  program.ExpectCleanExit();
}

}  // namespace

}  // namespace vergleichsspannung
