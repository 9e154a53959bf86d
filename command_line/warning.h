// The command line's lines on standard error, each beginning with the
// program's name, as the dialogue's warnings do.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_WARNING_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_WARNING_H_

#include <string_view>

namespace vergleichsspannung {

// Writes "vergleichsspannung: TEXT" and a line end to standard error. Returns
// false when it could not be written.
bool Warn(std::string_view text);

// Returns the cause an errno value names, in the user's language.
const char* Cause(int error);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_WARNING_H_
