// The calculator run from its arguments rather than the dialogue.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_COMMAND_LINE_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_COMMAND_LINE_H_

namespace vergleichsspannung {

// Runs the command line `argv[1..argc)`: help, version, one state, or a batch
// of tables. Returns the exit status: 0, 1 when a value, row or file was
// refused or output failed, 2 for a usage error (one line on standard error,
// nothing on standard output).
// REQUIRES: argc > 1, SetUpMessages has run.
int RunCommandLine(int argc, char** argv);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_COMMAND_LINE_H_
