// Writes the Mohr picture of one stress state to standard output, for the
// tests that render it: mohr_picture_tool STATE VALUE...
// STATE is spatial, plane, axisymmetric or plate (or 1 to 4); the values are
// the state's components in the dialogue's order; all three hypotheses.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "picture/mohr_picture.h"

namespace {

using vergleichsspannung::StressState;

bool StateOf(std::string_view word, StressState* state) {
  const char* names[] = {"spatial", "plane", "axisymmetric", "plate"};
  for (int i = 0; i < 4; ++i) {
    if (word == names[i] || word == std::to_string(i + 1)) {
      *state = static_cast<StressState>(i + 1);
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  StressState state = StressState::Spatial;
  if (argc < 2 || !StateOf(argv[1], &state)) {
    std::fputs("usage: mohr_picture_tool spatial|plane|axisymmetric|plate VALUE...\n", stderr);
    return 2;
  }
  std::vector<double> values;
  for (int i = 2; i < argc; ++i) {
    const char* end = argv[i] + std::strlen(argv[i]);
    double value = 0;
    const std::from_chars_result read = std::from_chars(argv[i], end, value);
    if (read.ec != std::errc() || read.ptr != end) {
      std::fprintf(stderr, "mohr_picture_tool: not a number: %s\n", argv[i]);
      return 2;
    }
    values.push_back(value);
  }
  if (static_cast<int>(values.size()) != vergleichsspannung::ComponentCount(state)) {
    std::fprintf(stderr, "mohr_picture_tool: this state takes %d values\n",
                 vergleichsspannung::ComponentCount(state));
    return 2;
  }
  using vergleichsspannung::Hypothesis;
  const std::string svg = vergleichsspannung::MohrSvg(vergleichsspannung::MakeMohrPicture(
      state, values, {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}));
  return std::fwrite(svg.data(), 1, svg.size(), stdout) == svg.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}
