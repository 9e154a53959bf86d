// Standard input and output of the process, and the one place that knows
// whether a descriptor is a terminal, how to read a single key there and how
// to let the user type and edit a reply line. Every function reports through
// an IoResult; the plain reads and writes make one system call each and leave
// trying again after EINTR or EAGAIN to the caller.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "console/terminal/byte_stream.h"

namespace vergleichsspannung {

namespace terminal {

// Returns true when `fd` is an interactive terminal.
bool IsTerminal(int fd);

// Puts the terminal `fd` into key mode (no line mode, no echo, signals kept)
// for the rest of the session, so that nothing typed ahead is ever echoed into
// the program's output. The terminal's own settings come back at LeaveKeyMode,
// at exit, when a signal ends the process and while Ctrl-Z has stopped it.
// Calling it again while in key mode changes nothing. Fails, the terminal
// untouched, when its settings cannot be read or changed.
// REQUIRES: IsTerminal(fd).
IoResult EnterKeyMode(int fd);

// Gives the terminal its own settings and the process its own signal
// handlers back. Harmless when not in key mode. Fails when the settings could
// not be given back.
IoResult LeaveKeyMode();

// Reads one key press, one byte, from the terminal `fd` in key mode; bytes
// typed ahead stay queued for the next read. Counts 1 with the byte in *key
// and *in_sequence telling whether the byte belongs to an escape sequence (an
// arrow or function key, its ESC included; the bytes of one sequence arrive
// within a tenth of a second of each other). Never counts 0: in key mode a
// terminal reads nothing only when it hung up, which fails with EIO, as a read
// error does.
// REQUIRES: EnterKeyMode(fd) succeeded.
IoResult ReadKeyPress(int fd, char* key, bool* in_sequence);

// Lets the user type a reply line on the terminal `input_fd` behind `prompt`,
// which is drawn on that terminal, whatever `output_fd` is, and drawn anew
// after a resize or a stop and continue: with editing, keys typed ahead shown
// on the line, and the session's earlier replies recalled with Up and Down.
// When `output_fd` is not a terminal, the prompt went there too (and `tee`
// may show it on this terminal), so the line is drawn from the start of that
// row. Counts the line's length with the line, ended by a newline, in *line;
// 0 at the end of input (Ctrl-D on an empty line). Sets *too_long, *line
// empty and the count 1, when the line had more than kMaxReplyLength
// characters. Fails on a read or write error, a hang-up (EIO) or when the
// terminal cannot be opened to draw on.
// REQUIRES: EnterKeyMode(input_fd) succeeded.
IoResult ReadReply(int input_fd, int output_fd, std::string_view prompt, std::string* line,
                   bool* too_long);

// Shows `text` behind `prompt` on the terminal `input_fd` as a reply typed
// there and entered, drawn where ReadReply draws: a word that a prompt took
// from a line typed for an earlier one.
// REQUIRES: EnterKeyMode(input_fd) succeeded.
IoResult ShowReply(int input_fd, int output_fd, std::string_view prompt, std::string_view text);

// Reads what `fd` delivers next with one read.
// REQUIRES: size > 0.
IoResult ReadSome(int fd, char* buffer, std::size_t size);

// Writes at most `size` bytes to `fd` with one write.
IoResult WriteSome(int fd, const char* data, std::size_t size);

// Waits until `fd` can be read, or written when `for_writing`.
IoResult AwaitReady(int fd, bool for_writing);

}  // namespace terminal

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_TERMINAL_H_
