// For tests only: a terminal in memory on a clock of its own, as the line
// editor's device. A script says what happens when: bytes typed, the window
// resized, the program stopped and continued, the terminal hung up. A wait
// moves the clock to the next thing that happens, so every time-out, stop and
// signal plays in no time; once the script is over, the terminal hangs up.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_FAKE_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_FAKE_TERMINAL_H_

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "console/terminal/terminal_device.h"

namespace vergleichsspannung {

// One thing that happens at `at_ms`: `bytes` typed, or, with no bytes, the
// window resized to `columns`, or the program stopped until `until_ms`, or
// (all three unset) the terminal hung up.
struct FakeEvent {
  long at_ms = 0;
  std::string bytes;
  std::size_t columns = 0;
  long until_ms = 0;
};

inline FakeEvent Typed(long at_ms, std::string bytes) { return FakeEvent{at_ms, bytes, 0, 0}; }
inline FakeEvent Resized(long at_ms, std::size_t columns) {
  return FakeEvent{at_ms, "", columns, 0};
}
inline FakeEvent Stopped(long at_ms, long until_ms) { return FakeEvent{at_ms, "", 0, until_ms}; }
inline FakeEvent HungUp(long at_ms) { return FakeEvent{at_ms, "", 0, 0}; }

class FakeTerminal : public TerminalDevice {
 public:
  // REQUIRES: the events are in the order of their times.
  explicit FakeTerminal(std::vector<FakeEvent> script) : script_(std::move(script)) {}

  IoResult Wait(long timeout_ms, Waited* waited) override {
    const long deadline = timeout_ms < 0 ? LONG_MAX : now_ + timeout_ms;
    while (!Ready() && next_ < script_.size() && script_[next_].at_ms <= deadline) {
      Play(script_[next_++]);
    }
    if (!Ready() && timeout_ms < 0) hung_up_ = true;  // nobody is left to type
    if (!Ready() && !hung_up_) now_ = deadline;
    *waited = resized_ || continued_
                  ? Waited::kScreenEvent
                  : (typed_.empty() && !hung_up_ ? Waited::kTimeout : Waited::kBytes);
    return IoResult{};
  }

  IoResult Read(char* buffer, std::size_t size) override {
    if (typed_.empty()) return Failure(hung_up_ ? EIO : EAGAIN);
    const std::size_t n = std::min(size, typed_.size());
    std::memcpy(buffer, typed_.data(), n);
    typed_.erase(0, n);
    return IoResult{static_cast<long>(n), 0};
  }

  IoResult OpenToDraw() override { return IoResult{}; }
  IoResult Write(std::string_view bytes) override {
    screen.append(bytes);
    return IoResult{};
  }
  std::size_t Columns() override { return columns_; }
  bool CursorAddressing() override { return true; }
  long NowMs() override { return now_; }
  ScreenEvents TakeScreenEvents() override {
    ScreenEvents events{resized_, continued_};
    resized_ = continued_ = false;
    return events;
  }
  void NoteOpenLine(bool open, int rows_below_cursor) override {
    open_line_rows = open ? rows_below_cursor : -1;
  }
  void LetReaderShowPrompt() override {}

  // All the editor wrote, and the rows below the cursor of the line noted
  // open (-1: none).
  std::string screen;
  int open_line_rows = -1;

 private:
  bool Ready() const { return resized_ || continued_ || hung_up_ || !typed_.empty(); }

  void Play(const FakeEvent& event) {
    now_ = std::max(now_, event.at_ms);
    if (!event.bytes.empty()) {
      typed_ += event.bytes;
    } else if (event.columns > 0) {
      columns_ = event.columns;
      resized_ = true;
    } else if (event.until_ms > 0) {
      // What was typed while the program stood still is there when it goes on.
      while (next_ < script_.size() && script_[next_].at_ms <= event.until_ms)
        typed_ += script_[next_++].bytes;
      now_ = event.until_ms;
      continued_ = true;
    } else {
      hung_up_ = true;
    }
  }

  std::vector<FakeEvent> script_;
  std::size_t next_ = 0;
  long now_ = 0;
  std::string typed_;
  std::size_t columns_ = 80;
  bool resized_ = false;
  bool continued_ = false;
  bool hung_up_ = false;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_FAKE_TERMINAL_H_
