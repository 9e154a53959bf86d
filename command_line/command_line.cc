#include "command_line/command_line.h"

#include <cassert>
#include <string>
#include <string_view>
#include <vector>

#include "command_line/batch.h"
#include "command_line/descriptor_io.h"
#include "command_line/mohr_output.h"
#include "command_line/options.h"
#include "command_line/single_state.h"
#include "command_line/usage.h"
#include "command_line/warning.h"
#include "console/messages.h"

namespace vergleichsspannung {

namespace {

constexpr int kUsageError = 2;

}  // namespace

int RunCommandLine(int argc, char** argv) {
  assert(argc > 1);
  UseBinaryStandardStreams();
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  Options options;
  std::string error;
  if (!ParseOptions(arguments, &options, &error)) {
    Warn(UsageErrorLine(error));
    return kUsageError;
  }
  CsvOutput output;
  output.fd = kStandardOutput;
  int status = 0;
  switch (options.mode) {
    case Mode::kHelp:
      output.pending = HelpText();
      break;
    case Mode::kVersion:
      output.pending = VersionText();
      break;
    case Mode::kSingleState: {
      // With the picture on standard output the results go to standard
      // error, so that what standard output carries is one well-formed file.
      if (options.mohr == "-") output.fd = kStandardError;
      StateResult result;
      status = RunSingleState(options, &output, &result);
      if (status == 0 && !options.mohr.empty()) {
        if (!Flush(&output)) break;
        status = WriteMohrOutput(options.mohr, result);
      }
      break;
    }
    case Mode::kBatch:
      return RunBatch(options, &output);
  }
  if (!Flush(&output)) {
    Warn(FillIn("%s: %s", {Translated("write error"), Cause(output.error)}));
    return 1;
  }
  return status;
}

}  // namespace vergleichsspannung
