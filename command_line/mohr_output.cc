#include "command_line/mohr_output.h"

#include <string>
#include <vector>

#include "command_line/descriptor_io.h"
#include "command_line/state_table.h"
#include "command_line/warning.h"
#include "console/messages.h"
#include "console/printable.h"
#include "console/terminal/descriptor_stream.h"
#include "picture/mohr_picture.h"

namespace vergleichsspannung {

int WriteMohrOutput(std::string_view path, const StateResult& result) {
  const int count = StateComponentsOf(result.state).components;
  const std::vector<double> components(result.components.begin(),
                                       result.components.begin() + count);
  std::vector<Hypothesis> hypotheses;
  for (int h = 0; h < 3; ++h) {
    if (result.chosen[h]) hypotheses.push_back(static_cast<Hypothesis>(h + kFirstHypothesis));
  }
  const std::string svg = MohrSvg(MakeMohrPicture(result.state, components, hypotheses));
  // The same bytes on every system: written as they are, LF line ends
  // included, through the one retry writer.
  const bool to_output = path == "-";
  const std::string name(path);
  int error = 0;
  const int fd = to_output ? kStandardOutput : OpenForWriting(name.c_str(), &error);
  if (fd >= 0) {
    error = WriteAll(DescriptorSink(fd), svg).error;
    if (!to_output) {
      const int closed = CloseDescriptor(fd);
      if (error == 0) error = closed;
    }
  }
  if (error == 0) return 0;
  Warn(FillIn("%s: %s", {Printable(path), Cause(error)}));
  return 1;
}

}  // namespace vergleichsspannung
