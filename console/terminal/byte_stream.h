// Byte streams as plain records of functions: the process supplies its
// descriptors, tests and fuzzers supply memory. Every call that can fail, here
// and in every layer above the computation, reports through an IoResult.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_BYTE_STREAM_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_BYTE_STREAM_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vergleichsspannung {

// The outcome of one call across the seam: a count (of bytes, or 1 for a
// key), 0 at the end of input, or a failure with its errno value.
struct IoResult {
  long count = 0;
  int error = 0;

  bool failed() const { return error != 0; }
};

// Returns the result of a call that failed with `error`.
inline IoResult Failure(int error) { return IoResult{0, error}; }

// Where the console's input comes from.
struct ByteSource {
  // Reads at most `size` bytes into `buffer`, as read(2) does: fewer are
  // fine, 0 is the end of input; a failure with EINTR is tried again, one
  // with EAGAIN after `await`.
  std::function<IoResult(char* buffer, std::size_t size)> read;
  // Waits until `read` has something.
  std::function<IoResult()> await;
};

// Where the console's text goes.
struct ByteSink {
  // Writes at most `size` bytes of `data`, as write(2) does: fewer are fine;
  // a failure with EINTR is tried again, one with EAGAIN after `await`.
  std::function<IoResult(const char* data, std::size_t size)> write;
  // Waits until `write` can take something.
  std::function<IoResult()> await;
  // A terminal, which shows the text to the person who types the replies.
  bool terminal = false;
};

// Reads what `source` has next into `buffer`, at most `size` bytes, trying
// again after EINTR and, once `await` says so, after EAGAIN. Counts the
// bytes, 0 at the end of input.
// REQUIRES: size > 0.
IoResult ReadAvailable(const ByteSource& source, char* buffer, std::size_t size);

// Writes all of `data` to `sink`, trying again after short writes, EINTR and
// EAGAIN. A sink that takes nothing fails with EIO: it never will.
IoResult WriteAll(const ByteSink& sink, std::string_view data);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_BYTE_STREAM_H_
