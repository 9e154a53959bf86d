#include "command_line/column_list.h"

#include <algorithm>
#include <charconv>

namespace vergleichsspannung {

namespace {

// Stores in *number the field number `text` spells, within 1..kMaxColumn.
bool ReadColumn(std::string_view text, int* number) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  const std::from_chars_result read =
      std::from_chars(text.data(), text.data() + text.size(), *number);
  return read.ec == std::errc() && read.ptr == text.data() + text.size() && *number >= 1 &&
         *number <= kMaxColumn;
}

// Adds the range `item` ("N", "N-M" or a last "N-") to *list.
bool AddRange(std::string_view item, bool last, ColumnList* list) {
  const std::size_t dash = item.find('-');
  int first = 0;
  if (!ReadColumn(item.substr(0, dash), &first)) return false;
  if (dash == std::string_view::npos) {
    list->fields.push_back(first);
    return true;
  }
  if (dash + 1 == item.size()) {
    if (!last) return false;
    list->open_from = first;
    return true;
  }
  int end = 0;
  if (!ReadColumn(item.substr(dash + 1), &end) || end < first) return false;
  for (int field = first; field <= end; ++field) list->fields.push_back(field);
  return true;
}

}  // namespace

bool ParseColumnList(std::string_view text, ColumnList* list) {
  ColumnList parsed;
  while (true) {
    const std::size_t comma = text.find(',');
    if (!AddRange(text.substr(0, comma), comma == std::string_view::npos, &parsed)) return false;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  std::vector<int> sorted = parsed.fields;
  std::sort(sorted.begin(), sorted.end());
  if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return false;
  if (parsed.open_from != 0 && !sorted.empty() && sorted.back() >= parsed.open_from) return false;
  *list = parsed;
  return true;
}

std::vector<int> ComponentFields(const ColumnList& list, int width) {
  std::vector<int> fields;
  for (int field : list.fields) fields.push_back(field - 1);
  if (list.open_from != 0) {
    for (int field = list.open_from; field <= width; ++field) fields.push_back(field - 1);
  }
  return fields;
}

}  // namespace vergleichsspannung
