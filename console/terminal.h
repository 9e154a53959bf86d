// Standard input and output of the process, and the one place that knows
// whether input comes from a terminal, how to read a single key there and how
// to let the user type and edit a reply line. Every function reports a failure
// as its return value with errno set; a read or write that was interrupted or
// would block is retried, never reported.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace terminal {

// Returns true when `fd` is an interactive terminal.
bool IsTerminal(int fd);

// Puts the terminal `fd` into key mode (no line mode, no echo, signals kept)
// for the rest of the session, so that nothing typed ahead is ever echoed into
// the program's output. The terminal's own settings come back at LeaveKeyMode,
// at exit, when a signal ends the process and while Ctrl-Z has stopped it.
// Calling it again while in key mode changes nothing. Returns false, the
// terminal untouched, when its settings cannot be read or changed.
// REQUIRES: IsTerminal(fd).
bool EnterKeyMode(int fd);

// Gives the terminal its own settings and the process its own signal
// handlers back. Harmless when not in key mode.
void LeaveKeyMode();

// Reads one key press, one byte, from the terminal `fd` in key mode; bytes
// typed ahead stay queued for the next read. Returns 1 with the byte in *key
// and *in_sequence telling whether the byte belongs to an escape sequence
// that began with an earlier ESC (an arrow or function key), 0 at the end of
// input, -1 on a read error.
// REQUIRES: EnterKeyMode(fd) was called.
long ReadKeyPress(int fd, char* key, bool* in_sequence);

// How a reply line ended.
enum class Reply { kLine, kTooLong, kEnd, kError };

// The longest reply line kept, in characters; a longer one is refused whole.
constexpr std::size_t kMaxReplyLength = 1024;

// Lets the user type a reply line on the terminal `input_fd` behind `prompt`,
// which the line editor draws on that terminal, whatever `output_fd` is, and
// redraws after a resize or a stop and continue: with editing, keys typed
// ahead shown on the line, and the session's earlier replies recalled with Up
// and Down. When `output_fd` is not a terminal, the prompt went there too
// (and `tee` may show it on this terminal), so the editor draws it from the
// start of that line. Returns kLine with the line, ended by a newline, in
// *line; kTooLong when the line had more than kMaxReplyLength characters;
// kEnd at the end of input (Ctrl-D on an empty line); kError on a read error
// or when the editor could not be set up.
// REQUIRES: EnterKeyMode(input_fd) was called.
Reply ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line);

// Reads what the pipe or file `fd` delivers next, waiting when `fd` is set
// non-blocking and nothing is there yet. Returns the count of bytes stored in
// `buffer`, 0 at the end of input, -1 on a read error.
// REQUIRES: size > 0.
long ReadInput(int fd, char* buffer, std::size_t size);

// Writes `size` bytes to `fd`, waiting while a non-blocking `fd` is full.
// Returns false when they cannot all be written.
bool WriteOutput(int fd, const char* data, std::size_t size);

}  // namespace terminal

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_H_
