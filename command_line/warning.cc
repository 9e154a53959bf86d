#include "command_line/warning.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace vergleichsspannung {

bool Warn(std::string_view text) {
  std::string line = "vergleichsspannung: ";
  line.append(text);
  line.push_back('\n');
  // One write per line, so that lines of several writers do not interleave.
  return std::fwrite(line.data(), 1, line.size(), stderr) == line.size() &&
         std::fflush(stderr) == 0;
}

const char* Cause(int error) { return std::strerror(error); }

}  // namespace vergleichsspannung
