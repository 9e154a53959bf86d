// Runs the program on a pseudo-terminal, as a user at a terminal would, and
// checks key reads, echo and the terminal's settings after every way out.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTimeoutMs = 5000;
constexpr char kMenuEnd[] = "F8 q Exit\r\n";

class PtyProgram {
 public:
  // Starts the program on a new pseudo-terminal with TERM set to `term` (unset
  // when empty) and, when `output` is given, standard output opened there.
  explicit PtyProgram(const char* term = "xterm", const char* output = nullptr) {
    struct winsize size = {};
    size.ws_row = 24;
    size.ws_col = 80;
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) return;
    tcgetattr(slave_, &before_);
    pid_ = fork();
    if (pid_ == 0) {
      close(master_);
      if (*term != 0) {
        setenv("TERM", term, 1);
      } else {
        unsetenv("TERM");
      }
      if (login_tty(slave_) != 0) _exit(126);
      if (output != nullptr && !freopen(output, "w", stdout)) _exit(125);
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

  void Type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Returns everything the program printed until `text` appeared (text
  // included), or all it printed before the time-out.
  std::string ReadThrough(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (unread_.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      struct pollfd ready = {master_, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0) continue;
      char buffer[4096];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      unread_.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t at = unread_.find(text);
    const std::size_t end = at == std::string::npos ? unread_.size() : at + text.size();
    std::string read = unread_.substr(0, end);
    unread_.erase(0, end);
    return read;
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

TEST(TerminalTest, RepliesAreTypedInALineEditor) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  // Typed ahead, the keys show on the reply line and can be erased.
  program.PressKey('c');
  program.Type("cc");
  program.ReadThrough("SigXX [N/mm2]= cc");
  program.Type(
      "\x7f\x7f"
      "5\n");
  program.ReadThrough("SigYY");
  // Left moves into the reply: 12, Left, 3 is 132.
  program.Type("12\033[D3\n");
  program.ReadThrough("SigZZ");
  program.Type("3 4 5 6\n");
  program.ReadThrough(kMenuEnd);
  program.PressKey('w');
  const std::string shown = AsText(program.ReadThrough("weiter mit bel.Taste.."));
  EXPECT_NE(shown.find("SigXX= 5[N/mm2]\nSigYY= 132[N/mm2]\nSigZZ= 3[N/mm2]"), std::string::npos)
      << shown;
  // A pasted reply shows behind its prompt.
  program.PressKey(' ');
  program.ReadThrough(kMenuEnd);
  program.Type("a2\n");
  EXPECT_NE(AsText(program.ReadThrough(kMenuEnd)).find("Ihre Wahl:2\n"), std::string::npos);
  program.Type("b3\n");
  program.ReadThrough(kMenuEnd);
  // Up twice recalls the reply before the last: state 2, not 3.
  program.Type("a\033[A\033[A\n");
  program.ReadThrough(kMenuEnd);
  program.PressKey('w');
  EXPECT_NE(AsText(program.ReadThrough("weiter mit bel.Taste..")).find("\nScheibenSpaZustand\n"),
            std::string::npos);
  program.PressKey(' ');
  program.ReadThrough(kMenuEnd);
  program.PressKey('q');
  program.ExpectCleanExit();
}

TEST(TerminalTest, RepliesWorkWithoutATerminalType) {
  for (const char* term : {"", "dumb"}) {
    PtyProgram program(term);
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
  PtyProgram program("xterm", "/dev/full");
  ASSERT_TRUE(program.started());
  program.ExpectCleanExit(1);
}

TEST(TerminalTest, MenuKeysActWithoutEnterAndAreNotEchoed) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  ASSERT_NE(program.ReadThrough(kMenuEnd).find(kMenuEnd), std::string::npos);
  program.PressKey('i');
  const std::string about = program.ReadThrough("weiter mit bel.Taste..");
  EXPECT_EQ(about.rfind("QUILM Vergleichsspannungen,", 0), 0u) << about;
  program.PressKey('x');
  const std::string menu = program.ReadThrough(kMenuEnd);
  EXPECT_EQ(menu.rfind("\r\nVergleichsspannung,i Info\r\n", 0), 0u) << menu;
  program.PressKey('q');
  program.ExpectCleanExit();
}

TEST(TerminalTest, NumbersAreEchoedAndTheirEnterIsNoKey) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.PressKey('a');
  ASSERT_NE(program.ReadThrough("Ihre Wahl:").find("Ihre Wahl:"), std::string::npos);
  program.Type("7\n");
  EXPECT_EQ(program.ReadThrough("Ihre Wahl:"),
            "7\r\nvergleichsspannung: \"7\" refused for Spannungszustand, which stays 1\r\n"
            "\r\nIhre Wahl:");
  program.Type("3 und mehr\n");
  const std::string after = program.ReadThrough(kMenuEnd);
  EXPECT_EQ(after.rfind("3 und mehr\r\n", 0), 0u) << after;
  program.PressKey('w');
  const std::string shown = program.ReadThrough("weiter mit bel.Taste..");
  // Had the Enter been taken as a key, a second menu would come before this.
  EXPECT_EQ(shown.rfind("momentan def. Werte:", 0), 0u) << shown;
  EXPECT_NE(shown.find("axialsym.SpaZustand"), std::string::npos);
  program.PressKey(' ');
  program.ReadThrough(kMenuEnd);
  program.PressKey('q');
  program.ExpectCleanExit();
}

TEST(TerminalTest, SignalsAtTheMenuAndInsideAReplyLeaveTheTerminalAsItWas) {
  for (int signal_number :
       {SIGINT, SIGTERM, SIGHUP, SIGQUIT, -SIGINT, -SIGTERM, -SIGHUP, -SIGQUIT}) {
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
    ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal_number;
    EXPECT_EQ(WTERMSIG(status), signal_number);
    program.ExpectSettingsAsBefore();
  }
}

TEST(TerminalTest, CtrlDAtAPromptEndsTheProgramCleanly) {
  PtyProgram program;
  ASSERT_TRUE(program.started());
  program.ReadThrough(kMenuEnd);
  program.PressKey('c');
  program.ReadThrough("SigXX [N/mm2]= ");
  program.Type("\x04");
  // The shell's prompt must not stand on the program's prompt line. The line
  // editor shows the Ctrl-D as "^D".
  const std::string end = program.ReadThrough("\n");
  EXPECT_TRUE(end == "\r\n" || end == "^D\r\n") << end;
  program.ExpectCleanExit();
}

}  // namespace
