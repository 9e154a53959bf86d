// The process's own terminal as the line editor's device: poll, read and
// write on its descriptors, the window size from the terminal driver, and
// the screen events that key mode's signal handlers leave.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <memory>

#include "console/terminal/key_mode.h"
#include "console/terminal/terminal.h"
#include "console/terminal/terminal_device.h"

namespace vergleichsspannung {

namespace {

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

class PosixTerminalDevice : public TerminalDevice {
 public:
  PosixTerminalDevice(int input_fd, int output_fd) : input_fd_(input_fd), output_fd_(output_fd) {}
  PosixTerminalDevice(const PosixTerminalDevice&) = delete;
  PosixTerminalDevice& operator=(const PosixTerminalDevice&) = delete;
  ~PosixTerminalDevice() override;

  IoResult Wait(long timeout_ms, Waited* waited) override;
  IoResult Read(char* buffer, std::size_t size) override;
  IoResult OpenToDraw() override;
  IoResult Write(std::string_view bytes) override;
  std::size_t Columns() override;
  bool CursorAddressing() override { return cursor_addressing_; }
  long NowMs() override;
  ScreenEvents TakeScreenEvents() override { return terminal::TakeScreenEvents(); }
  void NoteOpenLine(bool open, int rows_below_cursor) override {
    terminal::NoteOpenLine(open ? draw_fd_ : -1, rows_below_cursor);
  }
  void LetReaderShowPrompt() override;

 private:
  int input_fd_;
  int output_fd_;
  int draw_fd_ = -1;
  bool cursor_addressing_ = true;
  short revents_ = 0;  // what the last wait found on the input
};

PosixTerminalDevice::~PosixTerminalDevice() {
  if (draw_fd_ >= 0) close(draw_fd_);
}

IoResult PosixTerminalDevice::Wait(long timeout_ms, Waited* waited) {
  for (;;) {
    const int events_fd = terminal::ScreenEventDescriptor();
    struct pollfd ready[2] = {{input_fd_, POLLIN, 0}, {events_fd, POLLIN, 0}};
    const int polled = poll(ready, events_fd >= 0 ? 2 : 1, static_cast<int>(timeout_ms));
    if (polled < 0 && errno == EINTR) continue;  // the screen event shows on the next poll
    if (polled < 0) return Failure(errno);
    revents_ = ready[0].revents;
    if (polled == 0) {
      *waited = Waited::kTimeout;
    } else {
      *waited = events_fd >= 0 && ready[1].revents != 0 ? Waited::kScreenEvent : Waited::kBytes;
    }
    return IoResult{};
  }
}

IoResult PosixTerminalDevice::Read(char* buffer, std::size_t size) {
  if (revents_ & POLLNVAL) return Failure(EBADF);
  const IoResult read = terminal::ReadSome(input_fd_, buffer, size);
  // A terminal that hung up has nothing to wait for any more.
  const bool hung_up = (revents_ & (POLLHUP | POLLERR)) != 0;
  if (hung_up && (read.error == EINTR || read.error == EAGAIN || read.error == EWOULDBLOCK))
    return Failure(EIO);
  return read;
}

IoResult PosixTerminalDevice::OpenToDraw() {
  if (draw_fd_ >= 0) return IoResult{};
  draw_fd_ = OpenTerminal(input_fd_);
  if (draw_fd_ < 0) return Failure(errno);
  // Plain terminals cannot move the cursor up or clear the screen. TERM is
  // compared, never shown.
  const char* term = getenv("TERM");
  cursor_addressing_ = term != nullptr && *term != 0 && strcmp(term, "dumb") != 0;
  return IoResult{};
}

IoResult PosixTerminalDevice::Write(std::string_view bytes) {
  const int fd = draw_fd_;
  ByteSink sink;
  sink.write = [fd](const char* data, std::size_t size) {
    return terminal::WriteSome(fd, data, size);
  };
  sink.await = [fd] { return terminal::AwaitReady(fd, true); };
  return WriteAll(sink, bytes);
}

std::size_t PosixTerminalDevice::Columns() {
  struct winsize size = {};
  return ioctl(draw_fd_, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

long PosixTerminalDevice::NowMs() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void PosixTerminalDevice::LetReaderShowPrompt() {
  struct stat status;
  if (fstat(output_fd_, &status) != 0 || !S_ISFIFO(status.st_mode)) return;
  for (int waited = 0; waited < 200; ++waited) {
    int unread = 0;
    if (ioctl(output_fd_, FIONREAD, &unread) != 0 || unread == 0) break;
    usleep(1000);
  }
  usleep(10000);
}

}  // namespace

std::unique_ptr<TerminalDevice> OpenTerminalDevice(int input_fd, int output_fd) {
  return std::make_unique<PosixTerminalDevice>(input_fd, output_fd);
}

}  // namespace vergleichsspannung
