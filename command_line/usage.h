// What --help and --version print, and the line of a usage error.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_USAGE_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_USAGE_H_

#include <string>
#include <string_view>

namespace vergleichsspannung {

// Returns the help text, in the user's language.
std::string HelpText();

// Returns the version and licence lines.
std::string VersionText();

// Returns the one line, without its line end, that reports the usage error
// `what` and points to --help.
std::string UsageErrorLine(std::string_view what);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_USAGE_H_
