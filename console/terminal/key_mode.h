// The one owner of the terminal's settings and of the signals on POSIX: key
// mode for the session, the
// terminal's own settings back on every way out (return, exit, a signal that
// ends the process, Ctrl-Z), and the screen events a reply line must redraw
// after. A signal handler touches only the record this file keeps. The
// Windows console needs none of it: there these do nothing.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_MODE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_MODE_H_

// Reached only through the terminal library: a layer below it stops here.
#ifndef VS_LAYER_TERMINAL
#error "a header of the terminal layer, included from a layer below it"
#endif

#include "console/terminal/byte_stream.h"
#include "console/terminal/terminal_device.h"

namespace vergleichsspannung {

namespace terminal {

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

// Returns a descriptor that becomes readable when a screen event arrives,
// so that a wait for a key wakes however close to it the signal came; -1
// outside key mode.
int ScreenEventDescriptor();

// Returns the screen events that arrived since the last call and forgets
// them, the descriptor drained.
ScreenEvents TakeScreenEvents();

// Tells the signal handlers that a line stands open on the terminal `fd`
// (a prompt, a pause text or a reply being typed; -1: none) with
// `rows_below_cursor` rows of a wrapped reply below the cursor's row: a
// signal that ends or stops the program first moves below them, and one
// that ends it also ends the line, so the shell's message starts a line of
// its own.
// REQUIRES: rows_below_cursor >= 0.
void NoteOpenLine(int fd, int rows_below_cursor);

}  // namespace terminal

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_MODE_H_
