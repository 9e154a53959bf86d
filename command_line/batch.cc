#include "command_line/batch.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <string>
#include <vector>

#include "command_line/descriptor_io.h"
#include "command_line/state_table.h"
#include "command_line/table_reader.h"
#include "command_line/table_row.h"
#include "command_line/warning.h"
#include "console/messages.h"

namespace vergleichsspannung {

namespace {

// What a run has found so far, over all its files.
struct BatchRun {
  const Options* options = nullptr;
  CsvOutput* output = nullptr;
  bool laid_out = false;  // the first record fixed the layout and the header is written
  TableLayout layout;
  bool failed = false;  // status 1
};

// Fixes the layout by the first record of the run and writes the header,
// with the record's names where it is a header. Returns true when it is one.
bool LayOut(BatchRun* run, const TableRecord& record) {
  const Options& options = *run->options;
  const int components = StateComponentsOf(options.state).components;
  int width = components;
  std::vector<int> fields(static_cast<std::size_t>(components));
  std::iota(fields.begin(), fields.end(), 0);
  if (options.columns_given) {
    const int record_width = static_cast<int>(record.fields.size());
    width = record_width;
    for (int field : options.columns.fields) width = std::max(width, field);
    fields = ComponentFields(options.columns, width);
  }
  run->layout = MakeLayout(options.state, options.hypotheses, options.digits, width, fields);
  run->laid_out = true;
  const bool header = !record.too_long && static_cast<int>(fields.size()) == components &&
                      IsHeaderRow(run->layout, record.fields);
  AppendHeader(run->layout, header ? record.fields : std::vector<std::string_view>{},
               &run->output->pending);
  return header;
}

void Report(BatchRun* run, std::string_view name, long line, int column, std::string_view text) {
  run->failed = true;
  Warn(FillIn(Translated("%s:%s: column %s: %s"),
              {name, std::to_string(line), std::to_string(column), text}));
}

// Writes the row of one record, reporting it where it gives no results.
void WriteRecord(BatchRun* run, std::string_view name, const TableRecord& record) {
  std::string* out = &run->output->pending;
  if (record.too_long) {
    AppendEmptyRow(run->layout, out);
    Report(run, name, record.line, 1,
           FillIn(Translated("a record of more than %s bytes, not read"),
                  {std::to_string(kMaxRecordBytes)}));
    return;
  }
  RowProblem problem;
  if (!AppendRow(run->layout, record.fields, out, &problem)) {
    Report(run, name, record.line, problem.column, problem.text);
  }
}

// Reads one file to its end, or until the output fails.
void ReadTable(BatchRun* run, std::string_view name, int fd) {
  CsvOutput* output = run->output;
  TableReader reader(fd, [output] { Flush(output); });
  TableRecord record;
  bool first = true;
  while (reader.Next(&record)) {
    const bool header =
        first && (run->laid_out ? !record.too_long && IsHeaderRow(run->layout, record.fields)
                                : LayOut(run, record));
    first = false;
    if (!header) WriteRecord(run, name, record);
    if (!FlushIfFull(output)) return;
  }
  if (reader.error() != 0) {
    run->failed = true;
    Warn(FillIn("%s: %s", {name, Cause(reader.error())}));
  }
}

}  // namespace

int RunBatch(const Options& options, CsvOutput* output) {
  assert(options.mode == Mode::kBatch);
  BatchRun run;
  run.options = &options;
  run.output = output;
  std::vector<std::string_view> files = options.operands;
  if (files.empty()) files.push_back("-");
  for (std::string_view name : files) {
    if (output->error != 0) break;
    if (name == "-") {
      ReadTable(&run, name, kStandardInput);
      continue;
    }
    const std::string path(name);
    int error = 0;
    const int fd = OpenForReading(path.c_str(), &error);
    if (fd < 0) {
      run.failed = true;
      Warn(FillIn("%s: %s", {name, Cause(error)}));
      continue;
    }
    ReadTable(&run, name, fd);
    CloseDescriptor(fd);
  }
  if (!run.laid_out) {
    // No record at all: the header alone still names the columns.
    LayOut(&run, TableRecord{});
  }
  if (!Flush(output)) {
    Warn(FillIn("%s: %s", {Translated("write error"), Cause(output->error)}));
    return 1;
  }
  return run.failed ? 1 : 0;
}

}  // namespace vergleichsspannung
