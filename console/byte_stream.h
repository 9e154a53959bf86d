// What the console reads its keys from and writes its text to, as plain
// records of functions: the process supplies its descriptors and terminal,
// tests and fuzzers supply memory. Every call reports through an IoResult.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_BYTE_STREAM_H_
#define VERGLEICHSSPANNUNG_CONSOLE_BYTE_STREAM_H_

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

// The longest reply line a terminal keeps, in characters; a longer one is
// refused whole.
constexpr std::size_t kMaxReplyLength = 1024;

// Where the console's input comes from.
struct ByteSource {
  // Reads at most `size` bytes into `buffer`, as read(2) does: fewer are
  // fine, 0 is the end of input; a failure with EINTR is tried again, one
  // with EAGAIN after `await`.
  std::function<IoResult(char* buffer, std::size_t size)> read;
  // Waits until `read` has something.
  std::function<IoResult()> await;

  // A terminal, where a person types: keys one at a time, replies on a reply
  // line. The four below are set for a terminal only.
  bool terminal = false;
  // Reads one key press; *in_sequence tells whether it is a byte of an
  // escape sequence, its ESC included.
  std::function<IoResult(char* key, bool* in_sequence)> read_key;
  // Reads a reply line typed behind `prompt` into *line, ended by a newline;
  // count is its length, 0 at the end of input. *too_long is set when the
  // line was longer than a reply may be (*line then holds nothing).
  std::function<IoResult(std::string_view prompt, std::string* line, bool* too_long)> read_reply;
  // Shows `text` behind `prompt` as the reply to it, as though typed and
  // entered: a word a prompt took from a line typed for an earlier one.
  std::function<IoResult(std::string_view prompt, std::string_view text)> show_reply;
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

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_BYTE_STREAM_H_
