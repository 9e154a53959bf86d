// Mohr's circles of the state given on the command line, written as an SVG
// file beside the printed results (--mohr FILE).
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_MOHR_OUTPUT_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_MOHR_OUTPUT_H_

#include <string_view>

#include "command_line/stress_row.h"

namespace vergleichsspannung {

// Writes Mohr's circles of `result` (its state, components and chosen
// hypotheses) to the file `path`, or to standard output when `path` is "-".
// A file that cannot be written is reported on standard error. Returns the
// exit status: 0 when the whole picture was written, 1 otherwise.
int WriteMohrOutput(std::string_view path, const StateResult& result);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_MOHR_OUTPUT_H_
