// The one owner of the terminal's settings and of the signals on POSIX: key
// mode for the session (terminal.h's EnterKeyMode and LeaveKeyMode), the
// terminal's own settings back on every way out (return, exit, a signal that
// ends the process, Ctrl-Z), and the screen events a reply line must redraw
// after. A signal handler touches only the record this file keeps. The
// Windows console needs none of it: there these do nothing.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_MODE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_TERMINAL_KEY_MODE_H_

namespace vergleichsspannung {

namespace terminal {

// What happened to the screen since it was last asked.
struct ScreenEvents {
  bool resized = false;    // the window changed its size
  bool continued = false;  // the program went on after a stop (Ctrl-Z, fg)
};

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
