#include "command_line/warning.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "console/messages.h"

namespace vergleichsspannung {

bool Warn(std::string_view text) {
  const std::string line = WarningLine(text);
  // One write per line, so that lines of several writers do not interleave.
  return std::fwrite(line.data(), 1, line.size(), stderr) == line.size() &&
         std::fflush(stderr) == 0;
}

const char* Cause(int error) { return std::strerror(error); }

}  // namespace vergleichsspannung
