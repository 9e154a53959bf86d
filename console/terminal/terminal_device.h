// The few things the line editor asks of a terminal: wait for bytes with a
// time-out, read what is there, write, the window's width, the clock, and
// the screen events its signals left. The process's terminal provides them
// on POSIX (terminal_device-posix.cc); tests provide a terminal in memory,
// on a clock of their own, so that every wait and every signal is played
// without sleeping.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_DEVICE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_DEVICE_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <memory>
#include <string_view>

#include "console/terminal/byte_stream.h"

namespace vergleichsspannung {

// What a wait ended with.
enum class Waited { kBytes, kTimeout, kScreenEvent };

// What happened to the screen since it was last asked.
struct ScreenEvents {
  bool resized = false;    // the window changed its size
  bool continued = false;  // the program went on after a stop (Ctrl-Z, fg)
};

class TerminalDevice {
 public:
  virtual ~TerminalDevice() = default;

  // Waits up to `timeout_ms` (-1: for ever, 0: not at all) until bytes can
  // be read (or the terminal hung up, which the next Read reports) or a
  // screen event arrives, and says which came first in *waited.
  virtual IoResult Wait(long timeout_ms, Waited* waited) = 0;

  // Reads at most `size` bytes of what the terminal has. Fails with EAGAIN
  // or EINTR when nothing is there after all, and with EIO when the
  // terminal hung up (in key mode a terminal reads nothing only then).
  // REQUIRES: size > 0.
  virtual IoResult Read(char* buffer, std::size_t size) = 0;

  // Opens the terminal to draw on, once: the first reply calls it. Fails
  // when it cannot be opened.
  virtual IoResult OpenToDraw() = 0;

  // Writes all of `bytes` to the terminal drawn on.
  // REQUIRES: OpenToDraw() succeeded.
  virtual IoResult Write(std::string_view bytes) = 0;

  // Returns the window's width in columns, 0 when it is not known.
  virtual std::size_t Columns() = 0;

  // Returns false when the terminal cannot move the cursor up or clear the
  // screen (TERM dumb or unset).
  virtual bool CursorAddressing() = 0;

  // Returns the time in milliseconds on a clock that never goes back.
  virtual long NowMs() = 0;

  // Returns the screen events that arrived since the last call and forgets
  // them.
  virtual ScreenEvents TakeScreenEvents() = 0;

  // Tells the signal handlers that a line stands open on the terminal drawn
  // on, with `rows_below_cursor` rows of a wrapped reply below the cursor's
  // row (open false: none), so that a signal that ends or stops the program
  // first moves below them.
  // REQUIRES: rows_below_cursor >= 0.
  virtual void NoteOpenLine(bool open, int rows_below_cursor) = 0;

  // When the prompt went to a pipe as well, gives a reader such as tee the
  // moment to show it on this terminal, so that the line is drawn over that
  // copy rather than before it.
  virtual void LetReaderShowPrompt() = 0;
};

// Returns the device of the terminal `input_fd` on POSIX; the prompts went to
// `output_fd` too when it is no terminal.
// REQUIRES: terminal::EnterKeyMode(input_fd) succeeded.
std::unique_ptr<TerminalDevice> OpenTerminalDevice(int input_fd, int output_fd);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_DEVICE_H_
