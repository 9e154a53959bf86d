// Drives the dialogue through real file descriptors: pipes, a non-blocking
// pipe, /dev/full and descriptors that cannot be read or written.
#include "console/process_console.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "console/console.h"
#include "console/memory_streams.h"
#include "console/menu_loop.h"

namespace vergleichsspannung {

namespace {

const std::string kKeys = "a2\nc1 2\n3\nw b3\ng a3\r\nc5\r6\nx 7\n8\nw g b1\ng iqa1\ng q";

std::string StringConsoleOutput(const std::string& keys) {
  MemoryConsole memory(keys);
  MenuLoop(&memory.console);
  return memory.output;
}

// A descriptor number far above any this test opens, and not open.
constexpr int kClosed = 999;

struct Pipe {
  Pipe() { EXPECT_EQ(pipe(fd), 0); }
  ~Pipe() {
    CloseRead();
    CloseWrite();
  }
  void CloseRead() {
    if (fd[0] >= 0) close(fd[0]);
    fd[0] = -1;
  }
  void CloseWrite() {
    if (fd[1] >= 0) close(fd[1]);
    fd[1] = -1;
  }
  int fd[2] = {-1, -1};
};

std::string ReadAll(int fd) {
  std::string all;
  char buffer[4096];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) all.append(buffer, static_cast<size_t>(n));
  return all;
}

struct Outcome {
  int status = -1;
  std::string output;
  std::string failure;
};

// Runs the dialogue on the given input descriptor and an output pipe.
Outcome RunOn(int input_fd) {
  Pipe out;
  Outcome run;
  std::thread reader([&] { run.output = ReadAll(out.fd[0]); });
  {
    ProcessConsole process(input_fd, out.fd[1], 2);
    run.status = MenuLoop(process.console());
    run.failure = process.console()->failure();
  }
  out.CloseWrite();
  reader.join();
  return run;
}

TEST(ProcessConsoleTest, PipesGiveTheSessionOfTheStringConsole) {
  const std::string expected = StringConsoleOutput(kKeys);
  for (bool non_blocking : {false, true}) {
    Pipe in;
    if (non_blocking) fcntl(in.fd[0], F_SETFL, fcntl(in.fd[0], F_GETFL) | O_NONBLOCK);
    // Keys arrive in small pieces and late, as typed into a pipe by hand.
    std::thread writer([&] {
      for (std::size_t at = 0; at < kKeys.size(); at += 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(at == 0 ? 100 : 2));
        const std::string piece = kKeys.substr(at, 5);
        EXPECT_EQ(write(in.fd[1], piece.data(), piece.size()), static_cast<ssize_t>(piece.size()));
      }
      in.CloseWrite();
    });
    const Outcome run = RunOn(in.fd[0]);
    writer.join();
    EXPECT_EQ(run.status, 0) << run.failure;
    EXPECT_EQ(run.output, expected) << "non-blocking " << non_blocking;
  }
}

TEST(ProcessConsoleTest, AFailedWriteStopsAtOnceWithStatusOne) {
  signal(SIGPIPE, SIG_IGN);
  Pipe broken;
  broken.CloseRead();
  const int full = open("/dev/full", O_WRONLY);
  for (auto [output_fd, error] :
       {std::pair{full, ENOSPC}, {broken.fd[1], EPIPE}, {kClosed, EBADF}}) {
    Pipe in;
    ASSERT_EQ(write(in.fd[1], kKeys.data(), kKeys.size()), static_cast<ssize_t>(kKeys.size()));
    in.CloseWrite();
    ProcessConsole process(in.fd[0], output_fd, 2);
    EXPECT_EQ(MenuLoop(process.console()), 1);
    EXPECT_EQ(process.console()->failure(), std::string("write error: ") + std::strerror(error));
    // Nothing was read after the menu could not be shown.
    EXPECT_EQ(ReadAll(in.fd[0]), kKeys);
  }
  close(full);
  signal(SIGPIPE, SIG_DFL);
}

TEST(ProcessConsoleTest, AFailedReadIsNoEndOfInput) {
  const int directory = open("/", O_RDONLY);
  for (auto [input_fd, error] : {std::pair{directory, EISDIR}, {kClosed, EBADF}}) {
    const Outcome run = RunOn(input_fd);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.failure, std::string("read error: ") + std::strerror(error));
    EXPECT_EQ(run.output, StringConsoleOutput(""));
  }
  close(directory);
}

}  // namespace

}  // namespace vergleichsspannung
