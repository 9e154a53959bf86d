// Tables of stress states in, a CSV table of their results out, row by row.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_BATCH_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_BATCH_H_

#include "command_line/csv_writer.h"
#include "command_line/options.h"

namespace vergleichsspannung {

// Reads the files options.operands names (standard input for none or "-"),
// one stress state of options.state per row, and writes one CSV row per data
// row to *output, after one header line. A refused row and a file that cannot
// be read are reported on standard error and the run goes on. Returns the exit
// status: 0 when every row was computed, 1 when a row was refused, a file
// could not be read or the output failed.
// REQUIRES: options.mode == Mode::kBatch.
int RunBatch(const Options& options, CsvOutput* output);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_BATCH_H_
