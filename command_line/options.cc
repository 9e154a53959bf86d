#include "command_line/options.h"

#include <cassert>
#include <charconv>

#include "command_line/state_table.h"
#include "console/messages.h"
#include "console/printable.h"

namespace vergleichsspannung {

namespace {

// What reading one option's value found: fine, or the error line's text.
using Apply = bool (*)(std::string_view value, Options* options, std::string* error);

// One option: its names, whether it takes a value, and what it does.
struct OptionRow {
  const char* long_name;
  char short_name;
  bool takes_value;
  Apply apply;
};

bool SetHelp(std::string_view, Options* options, std::string*) {
  options->mode = Mode::kHelp;
  return true;
}

bool SetVersion(std::string_view, Options* options, std::string*) {
  if (options->mode != Mode::kHelp) options->mode = Mode::kVersion;
  return true;
}

bool SetState(std::string_view value, Options* options, std::string* error) {
  if (!StateByName(value, &options->state)) {
    *error = FillIn(Translated("unknown stress state \"%s\" (spatial, plane, axisymmetric, "
                               "plate or 1 to 4)"),
                    {Printable(value)});
    return false;
  }
  options->state_given = true;
  return true;
}

bool SetHypotheses(std::string_view value, Options* options, std::string* error) {
  HypothesisChoice chosen = {false, false, false};
  while (true) {
    const std::size_t comma = value.find(',');
    Hypothesis hypothesis;
    if (!HypothesisByName(value.substr(0, comma), &hypothesis)) {
      *error = FillIn(Translated("unknown hypothesis \"%s\" (GEH, NH, SH or 1 to 3)"),
                      {Printable(value.substr(0, comma))});
      return false;
    }
    chosen[static_cast<int>(hypothesis) - kFirstHypothesis] = true;
    if (comma == std::string_view::npos) break;
    value.remove_prefix(comma + 1);
  }
  options->hypotheses = chosen;
  return true;
}

bool SetBatch(std::string_view, Options* options, std::string*) {
  options->batch = true;
  return true;
}

bool SetColumns(std::string_view value, Options* options, std::string* error) {
  if (!ParseColumnList(value, &options->columns)) {
    *error = FillIn(Translated("wrong column list \"%s\" (as cut -f: 2-7, 1,3,5 or 4-)"),
                    {Printable(value)});
    return false;
  }
  options->columns_given = true;
  return true;
}

bool SetDigits(std::string_view value, Options* options, std::string* error) {
  int digits = 0;
  const std::from_chars_result read =
      std::from_chars(value.data(), value.data() + value.size(), digits);
  if (read.ec != std::errc() || read.ptr != value.data() + value.size() || digits < 1 ||
      digits > kMaxDigits) {
    *error =
        FillIn(Translated("digits \"%s\" not a whole number from 1 to 17"), {Printable(value)});
    return false;
  }
  options->digits = digits;
  return true;
}

bool SetMohr(std::string_view value, Options* options, std::string* error) {
  if (value.empty()) {
    *error = Translated("--mohr needs the name of a file, or - for standard output");
    return false;
  }
  options->mohr = value;
  return true;
}

// Every option. A further output is one more row and one more field of Options.
constexpr OptionRow kOptions[] = {
    {"help", 'h', false, SetHelp},    {"version", 'V', false, SetVersion},
    {"state", 's', true, SetState},   {"hypothesis", 'H', true, SetHypotheses},
    {"batch", 'b', false, SetBatch},  {"columns", 'c', true, SetColumns},
    {"digits", 'd', true, SetDigits}, {"mohr", 'm', true, SetMohr},
};

// Returns the row whose long name is `name` or, failing that, begins with
// it if only one does; nullptr when none does, *ambiguous when several do.
const OptionRow* LongOption(std::string_view name, bool* ambiguous) {
  const OptionRow* found = nullptr;
  *ambiguous = false;
  if (name.empty()) return nullptr;  // "--=x"
  for (const OptionRow& row : kOptions) {
    const std::string_view long_name = row.long_name;
    if (long_name == name) return &row;
    if (long_name.substr(0, name.size()) == name) {
      *ambiguous = found != nullptr;
      found = &row;
    }
  }
  return *ambiguous ? nullptr : found;
}

const OptionRow* ShortOption(char name) {
  for (const OptionRow& row : kOptions) {
    if (row.short_name == name) return &row;
  }
  return nullptr;
}

// Returns true when `argument` is an operand: not an option, or a negative number.
bool IsOperand(std::string_view argument) {
  if (argument.size() < 2 || argument[0] != '-') return true;
  const char next = argument[1];
  return (next >= '0' && next <= '9') || next == '.' || next == ',';
}

// Reads the option at arguments[*at], and its value from the next argument
// where it takes one and has none attached; advances *at past what it used.
bool ReadOption(const std::vector<std::string_view>& arguments, std::size_t* at, Options* options,
                std::string* error) {
  const std::string_view argument = arguments[*at];
  const OptionRow* row = nullptr;
  std::string_view attached;
  bool has_attached = false;
  if (argument[1] == '-') {
    const std::size_t equals = argument.find('=');
    bool ambiguous = false;
    row = LongOption(argument.substr(2, equals - 2), &ambiguous);
    has_attached = equals != std::string_view::npos;
    if (has_attached) attached = argument.substr(equals + 1);
    if (ambiguous) {
      *error = FillIn(Translated("ambiguous option %s"), {Printable(argument.substr(0, equals))});
      return false;
    }
  } else {
    row = ShortOption(argument[1]);
    has_attached = argument.size() > 2;
    attached = argument.substr(2);
  }
  const std::string name =
      Printable(argument.substr(0, argument[1] == '-' ? argument.find('=') : 2));
  if (row == nullptr) {
    *error = FillIn(Translated("unknown option %s"), {name});
    return false;
  }
  if (!row->takes_value) {
    if (has_attached) *error = FillIn(Translated("option %s takes no value"), {name});
    return !has_attached && row->apply({}, options, error);
  }
  if (!has_attached) {
    if (*at + 1 == arguments.size()) {
      *error = FillIn(Translated("option %s needs a value"), {name});
      return false;
    }
    attached = arguments[++*at];
  }
  return row->apply(attached, options, error);
}

// Decides what the options ask for, once all are read.
bool DecideMode(Options* options, std::string* error) {
  if (options->mode == Mode::kHelp || options->mode == Mode::kVersion) return true;
  if (!options->state_given) {
    *error = options->operands.empty()
                 ? Translated("no stress state given (--state)")
                 : Translated("values given without a stress state (--state)");
    return false;
  }
  if (options->columns_given && !options->batch) {
    *error = Translated("--columns needs --batch");
    return false;
  }
  const int components = StateComponentsOf(options->state).components;
  const ColumnList& columns = options->columns;
  if (options->columns_given && columns.open_from == 0 &&
      static_cast<int>(columns.fields.size()) != components) {
    *error = FillIn(Translated("the column list names %s fields, the state takes %s values"),
                    {std::to_string(columns.fields.size()), std::to_string(components)});
    return false;
  }
  if (options->batch && !options->mohr.empty()) {
    *error = Translated("--mohr draws one state, not a --batch table");
    return false;
  }
  if (options->batch) {
    options->mode = Mode::kBatch;
    return true;
  }
  if (static_cast<int>(options->operands.size()) != components) {
    *error = FillIn(Translated("the state takes %s values, %s given"),
                    {std::to_string(components), std::to_string(options->operands.size())});
    return false;
  }
  options->mode = Mode::kSingleState;
  return true;
}

}  // namespace

bool ParseOptions(const std::vector<std::string_view>& arguments, Options* options,
                  std::string* error) {
  assert(options != nullptr && error != nullptr);
  Options parsed;
  parsed.mode = Mode::kSingleState;  // until --help or --version says otherwise
  bool options_ended = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string_view argument = arguments[at];
    if (options_ended || IsOperand(argument)) {
      parsed.operands.push_back(argument);
    } else if (argument == "--") {
      options_ended = true;
    } else if (!ReadOption(arguments, &at, &parsed, error)) {
      return false;
    }
  }
  if (!DecideMode(&parsed, error)) return false;
  *options = parsed;
  return true;
}

}  // namespace vergleichsspannung
