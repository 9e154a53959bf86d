// Writes the Mohr picture of one stress state to standard output, for the
// tests that render it: mohr_picture_tool spatial|plane|axisymmetric|plate
// VALUE... with the state's components in the dialogue's order.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "picture/mohr_picture.h"

int main(int argc, char** argv) {
  using namespace vergleichsspannung;
  const char* names[] = {"spatial", "plane", "axisymmetric", "plate"};
  int state = 0;
  while (argc > 1 && state < 4 && std::strcmp(argv[1], names[state]) != 0) ++state;
  std::vector<double> values(static_cast<std::size_t>(argc > 2 ? argc - 2 : 0));
  bool read =
      argc > 1 && state < 4 &&
      static_cast<int>(values.size()) == ComponentCount(static_cast<StressState>(state + 1));
  for (std::size_t i = 0; read && i < values.size(); ++i) {
    const char* end = argv[i + 2] + std::strlen(argv[i + 2]);
    const std::from_chars_result number = std::from_chars(argv[i + 2], end, values[i]);
    read = number.ec == std::errc() && number.ptr == end;
  }
  if (!read) {
    std::fputs("usage: mohr_picture_tool spatial|plane|axisymmetric|plate VALUE...\n", stderr);
    return 2;
  }
  const std::string svg =
      MohrSvg(MakeMohrPicture(static_cast<StressState>(state + 1), values,
                              {Hypothesis::GEH, Hypothesis::NH, Hypothesis::SH}));
  std::string reason;
  if (WriteMohrSvg("-", svg, &reason)) return 0;
  std::fprintf(stderr, "mohr_picture_tool: %s\n", reason.c_str());
  return 1;
}
