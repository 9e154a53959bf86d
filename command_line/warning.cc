#include "command_line/warning.h"

#include <cstring>

#include "command_line/descriptor_io.h"
#include "console/messages.h"
#include "console/terminal/descriptor_stream.h"

namespace vergleichsspannung {

bool Warn(std::string_view text) {
  // One write per line, so that lines of several writers do not interleave.
  return !WriteAll(DescriptorSink(kStandardError), WarningLine(text)).failed();
}

const char* Cause(int error) { return std::strerror(error); }

}  // namespace vergleichsspannung
