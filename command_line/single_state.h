// One stress state given on the command line: its results as one row of the
// batch table.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_SINGLE_STATE_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_SINGLE_STATE_H_

#include "command_line/csv_writer.h"
#include "command_line/options.h"
#include "command_line/stress_row.h"

namespace vergleichsspannung {

// Computes the state whose values are options.operands and appends the header
// and its row to output->pending; stores the results in *result (for further
// outputs) when it is not nullptr. A value the dialogue would refuse is
// reported on standard error and leaves the results empty. Returns the exit
// status: 0 when computed, 1 otherwise.
// REQUIRES: options.mode == Mode::kSingleState.
int RunSingleState(const Options& options, CsvOutput* output, StateResult* result);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_SINGLE_STATE_H_
