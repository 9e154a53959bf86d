// One row of the output table: the input row's copied fields, then the
// principal stresses and SigV of each chosen hypothesis, or empty result
// fields and the reason where the row cannot be computed.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_ROW_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_ROW_H_

#include <string>
#include <string_view>
#include <vector>

#include "command_line/stress_row.h"

namespace vergleichsspannung {

// How the fields of the rows of one run are read and written.
struct TableLayout {
  StressState state = StressState::Spatial;
  HypothesisChoice chosen = kAllHypotheses;
  int digits = 6;
  int width = 0;                      // fields an input row has
  std::vector<int> component_fields;  // indices of the components, in the state's order
  std::vector<int> copied_fields;     // indices of every other field, in input order
};

// Why a row gave no results: the column (counted from 1) where it went wrong,
// and the reason, in the user's language.
struct RowProblem {
  int column = 0;
  std::string text;
};

// Returns the layout of rows of `width` fields whose components stand in
// `component_fields` (indices counted from 0, in the state's order).
TableLayout MakeLayout(StressState state, const HypothesisChoice& chosen, int digits, int width,
                       const std::vector<int>& component_fields);

// Returns true when `fields` is a header: none of its component fields is a number.
bool IsHeaderRow(const TableLayout& layout, const std::vector<std::string_view>& fields);

// Appends the header line: the copied fields' names (those in `names`, an
// input header, where it has them, else "FieldN"), Sig1, Sig2, Sig3 where the
// state has it, then SigV_GEH, SigV_NH, SigV_SH for the chosen hypotheses.
void AppendHeader(const TableLayout& layout, const std::vector<std::string_view>& names,
                  std::string* out);

// Computes the row `fields` and appends it with its results; returns true.
// Where it cannot be computed, appends it with its copied fields and empty
// results, stores why in *problem and returns false. Stores what was
// computed in *result when that is not nullptr.
bool AppendRow(const TableLayout& layout, const std::vector<std::string_view>& fields,
               std::string* out, RowProblem* problem, StateResult* result = nullptr);

// Appends a row whose fields could not be read: every field empty.
void AppendEmptyRow(const TableLayout& layout, std::string* out);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_TABLE_ROW_H_
