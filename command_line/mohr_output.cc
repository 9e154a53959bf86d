#include "command_line/mohr_output.h"

#include <string>
#include <vector>

#include "command_line/state_table.h"
#include "command_line/warning.h"
#include "console/messages.h"
#include "console/printable.h"
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
  std::string reason;
  if (WriteMohrSvg(std::string(path), svg, &reason)) return 0;
  Warn(FillIn("%s: %s", {Printable(path), reason}));
  return 1;
}

}  // namespace vergleichsspannung
