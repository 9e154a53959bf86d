#include "command_line/table_row.h"

#include <algorithm>

#include "command_line/csv_writer.h"
#include "command_line/number_field.h"
#include "command_line/state_table.h"
#include "console/messages.h"
#include "console/printable.h"

namespace vergleichsspannung {

namespace {

// The most bytes of a refused word a refusal line shows, as the dialogue's.
constexpr std::size_t kMaxShownWord = 128;

// Returns `field` without the blanks a spreadsheet may put around a number.
std::string_view Trimmed(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  return field;
}

// Returns the result columns a row of `layout` has.
int ResultColumns(const TableLayout& layout) {
  return StateComponentsOf(layout.state).principal_stresses +
         static_cast<int>(std::count(layout.chosen.begin(), layout.chosen.end(), true));
}

// Returns `word` escaped as warnings show it, cut to the length of a word the
// dialogue keeps.
std::string Shown(std::string_view word) {
  if (word.size() <= kMaxShownWord) return "\"" + Printable(word) + "\"";
  std::size_t cut = kMaxShownWord;
  while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xc0) == 0x80) --cut;
  return FillIn(Translated("\"%s\"... (%s bytes)"),
                {Printable(word.substr(0, cut)), std::to_string(word.size())});
}

void AppendCopied(const TableLayout& layout, const std::vector<std::string_view>& fields,
                  std::string* out) {
  for (int index : layout.copied_fields) {
    if (index < static_cast<int>(fields.size())) {
      AppendField(out, fields[static_cast<std::size_t>(index)]);
    }
    out->push_back(',');
  }
}

// Reads the components of `fields` into `components`; false with *problem otherwise.
bool ReadComponents(const TableLayout& layout, const std::vector<std::string_view>& fields,
                    double* components, RowProblem* problem) {
  if (static_cast<int>(fields.size()) != layout.width) {
    problem->column = std::min(static_cast<int>(fields.size()), layout.width) + 1;
    problem->text = FillIn(Translated("%s fields where the table has %s"),
                           {std::to_string(fields.size()), std::to_string(layout.width)});
    return false;
  }
  const StateComponents& columns = StateComponentsOf(layout.state);
  // An open column list ("2-") names as many fields as the row has from
  // there on: exactly the state's components, or the row is refused, so that
  // no field is read twice, read past or left out without a word.
  if (static_cast<int>(layout.component_fields.size()) != columns.components) {
    problem->column = layout.component_fields.empty() ? 1 : layout.component_fields.front() + 1;
    problem->text = FillIn(
        Translated("the column list names %s fields, the state takes %s values"),
        {std::to_string(layout.component_fields.size()), std::to_string(columns.components)});
    return false;
  }
  for (int i = 0; i < columns.components; ++i) {
    const int index = layout.component_fields[static_cast<std::size_t>(i)];
    const std::string_view word = fields[static_cast<std::size_t>(index)];
    const FieldRefusal refusal = ReadStressField(Trimmed(word), &components[i]);
    if (refusal != FieldRefusal::kNone) {
      problem->column = index + 1;
      problem->text = FillIn(Translated("%s refused for %s: %s"),
                             {Shown(word), columns.component_names[static_cast<std::size_t>(i)],
                              RefusalReason(refusal)});
      return false;
    }
  }
  return true;
}

void AppendResults(const TableLayout& layout, const StateResult& result, std::string* out) {
  const int principal = StateComponentsOf(layout.state).principal_stresses;
  for (int i = 0; i < principal; ++i) {
    AppendNumber(out, result.principal[static_cast<std::size_t>(i)], layout.digits);
    out->push_back(',');
  }
  for (int h = 0; h < 3; ++h) {
    if (!layout.chosen[static_cast<std::size_t>(h)]) continue;
    AppendNumber(out, result.equivalent[static_cast<std::size_t>(h)], layout.digits);
    out->push_back(',');
  }
  out->back() = '\n';
}

// Appends the empty result fields of a row that gave no results.
void AppendNoResults(const TableLayout& layout, std::string* out) {
  out->append(static_cast<std::size_t>(ResultColumns(layout) - 1), ',');
  out->push_back('\n');
}

}  // namespace

TableLayout MakeLayout(StressState state, const HypothesisChoice& chosen, int digits, int width,
                       const std::vector<int>& component_fields) {
  TableLayout layout{state, chosen, digits, width, component_fields, {}};
  for (int index = 0; index < width; ++index) {
    if (std::find(component_fields.begin(), component_fields.end(), index) ==
        component_fields.end()) {
      layout.copied_fields.push_back(index);
    }
  }
  return layout;
}

bool IsHeaderRow(const TableLayout& layout, const std::vector<std::string_view>& fields) {
  for (int index : layout.component_fields) {
    double value;
    if (index < static_cast<int>(fields.size()) &&
        ReadStressField(Trimmed(fields[static_cast<std::size_t>(index)]), &value) ==
            FieldRefusal::kNone) {
      return false;
    }
  }
  return true;
}

void AppendHeader(const TableLayout& layout, const std::vector<std::string_view>& names,
                  std::string* out) {
  for (int index : layout.copied_fields) {
    if (index < static_cast<int>(names.size())) {
      AppendField(out, names[static_cast<std::size_t>(index)]);
    } else {
      out->append("Field" + std::to_string(index + 1));
    }
    out->push_back(',');
  }
  out->append(StateComponentsOf(layout.state).principal_stresses == 3 ? "Sig1,Sig2,Sig3"
                                                                      : "Sig1,Sig2");
  for (int h = kFirstHypothesis; h <= kLastHypothesis; ++h) {
    if (!layout.chosen[static_cast<std::size_t>(h - kFirstHypothesis)]) continue;
    out->append(",SigV_");
    out->append(HypothesisName(static_cast<Hypothesis>(h)));
  }
  out->push_back('\n');
}

bool AppendRow(const TableLayout& layout, const std::vector<std::string_view>& fields,
               std::string* out, RowProblem* problem, StateResult* result) {
  AppendCopied(layout, fields, out);
  double components[kMaxStateComponents];
  if (!ReadComponents(layout, fields, components, problem)) {
    AppendNoResults(layout, out);
    return false;
  }
  const StateResult computed = ComputeState(layout.state, components, layout.chosen);
  if (result != nullptr) *result = computed;
  if (!AllResultsFinite(computed)) {
    problem->column = layout.component_fields.front() + 1;
    problem->text = Translated("results beyond the range of a double");
    AppendNoResults(layout, out);
    return false;
  }
  AppendResults(layout, computed, out);
  return true;
}

void AppendEmptyRow(const TableLayout& layout, std::string* out) {
  out->append(layout.copied_fields.size(), ',');
  AppendNoResults(layout, out);
}

}  // namespace vergleichsspannung
