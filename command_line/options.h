// The command line's options, read the GNU way: long options with "--name
// value" or "--name=value" (or a unique beginning of the name), short ones
// with "-n value" or "-nvalue", "--" ending the options.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_OPTIONS_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_OPTIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "command_line/column_list.h"
#include "command_line/stress_row.h"
#include "stress/workspace.h"

namespace vergleichsspannung {

// What the command line asks for.
enum class Mode { kHelp, kVersion, kSingleState, kBatch };

// The digits a result prints with unless --digits says otherwise: those of
// the dialogue's report.
constexpr int kReportDigits = 6;
// The most --digits allows: 17 significant digits read back to the same double.
constexpr int kMaxDigits = 17;

struct Options {
  Mode mode = Mode::kHelp;
  StressState state = StressState::Spatial;
  bool state_given = false;
  HypothesisChoice hypotheses = kAllHypotheses;
  bool batch = false;
  ColumnList columns;
  bool columns_given = false;
  int digits = kReportDigits;
  // Where --mohr writes Mohr's circles of the one state ("-": standard
  // output); empty without the option.
  std::string_view mohr;
  // The operands: a state's values, or with --batch the files to read.
  std::vector<std::string_view> operands;
};

// Reads the arguments after the program's name. On success stores them in
// *options with the mode they ask for and returns true; otherwise stores in
// *error one line, in the user's language, naming what was wrong, and
// returns false. --help and --version win over everything else but an error
// before them. An operand that starts like a negative number ("-80", "-.5")
// is a value, not an option.
// REQUIRES: options != nullptr, error != nullptr; the arguments outlive *options.
bool ParseOptions(const std::vector<std::string_view>& arguments, Options* options,
                  std::string* error);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_OPTIONS_H_
