#include "command_line/single_state.h"

#include <cassert>
#include <numeric>
#include <string>

#include "command_line/table_row.h"
#include "command_line/warning.h"
#include "console/messages.h"

namespace vergleichsspannung {

int RunSingleState(const Options& options, CsvOutput* output, StateResult* result) {
  assert(options.mode == Mode::kSingleState);
  const int components = StateComponentsOf(options.state).components;
  std::vector<int> fields(static_cast<std::size_t>(components));
  std::iota(fields.begin(), fields.end(), 0);
  const TableLayout layout =
      MakeLayout(options.state, options.hypotheses, options.digits, components, fields);
  AppendHeader(layout, {}, &output->pending);
  RowProblem problem;
  if (AppendRow(layout, options.operands, &output->pending, &problem, result)) return 0;
  Warn(FillIn(Translated("value %s: %s"), {std::to_string(problem.column), problem.text}));
  return 1;
}

}  // namespace vergleichsspannung
