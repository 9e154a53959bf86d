// The fields of a table row that hold the stress components, picked as
// `cut -f` picks fields: "2-7", "1,3,5", "4-".
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_COLUMN_LIST_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_COLUMN_LIST_H_

#include <string_view>
#include <vector>

namespace vergleichsspannung {

// A list of field numbers, counted from 1, in the order they were given.
struct ColumnList {
  std::vector<int> fields;  // the bounded part: "2-4,7" is {2, 3, 4, 7}
  int open_from = 0;        // a last range "N-" without end: every field from N on; 0 if none
};

// The largest field number a list may name: far beyond any table's width,
// small enough that a range of it stays a small list.
constexpr int kMaxColumn = 4096;

// Stores in *list the columns `text` names: comma-separated numbers and ranges
// "N-M" (N <= M), a range "N-" only last. Returns false for anything else
// (empty, 0, "3-2", a number beyond kMaxColumn, a field named twice).
bool ParseColumnList(std::string_view text, ColumnList* list);

// Returns the component fields of a row of `width` fields: the list's fields,
// then its open range up to `width`, each as an index counted from 0.
std::vector<int> ComponentFields(const ColumnList& list, int width);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_COLUMN_LIST_H_
