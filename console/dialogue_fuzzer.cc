// Feeds arbitrary bytes as keystrokes to the whole dialogue and aborts when
// the dialogue misbehaves: it must end with its input, keep the workspace
// valid, print only numbers where values stand, and print a bounded amount.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/menu_loop.h"

namespace {

// The most one key can print: the longest report or value display and a menu.
constexpr std::size_t kMaxOutputPerByte = 512;

void Fail(const char* what, const std::string& output) {
  std::fprintf(stderr, "%s\n--- output tail:\n%s\n", what,
               output.substr(output.size() > 2000 ? output.size() - 2000 : 0).c_str());
  std::abort();
}

bool IsNumberText(std::string_view text, bool infinity_allowed) {
  if (text == "inf" || text == "-inf") return infinity_allowed;
  if (text.empty()) return false;
  char* end = nullptr;
  const std::string copy(text);
  std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size() && copy.find_first_of("nN") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view keys(reinterpret_cast<const char*>(data), size);
  std::string output;
  Workspace workspace;
  {
    // Vary how the input arrives, as pipes split it anywhere.
    Console console(keys, &output, 1 + size % 13);
    if (MenuLoop(&console, &workspace) != 0) Fail("exit status not 0", output);
  }
  const int state = static_cast<int>(workspace.state);
  const int hypothesis = static_cast<int>(workspace.hypothesis);
  if (state < kFirstStressState || state > kLastStressState) Fail("state out of range", output);
  if (hypothesis < kFirstHypothesis || hypothesis > kLastHypothesis) {
    Fail("hypothesis out of range", output);
  }
  if (output.size() > kMaxOutputPerByte * (size + 1)) Fail("output out of bounds", output);

  // A result exceeds the double range only when a component is beyond about
  // 1e307, which takes an exponent to type.
  const bool infinity_allowed = keys.find_first_of("eE") != std::string_view::npos;
  for (std::size_t at = output.find("= "); at != std::string::npos;
       at = output.find("= ", at + 1)) {
    const std::size_t end = output.find("[N/mm2]", at);
    const std::size_t line_end = output.find('\n', at);
    if (end == std::string::npos || (line_end != std::string::npos && line_end < end)) continue;
    if (!IsNumberText(std::string_view(output).substr(at + 2, end - at - 2), infinity_allowed)) {
      Fail("printed value is not a number", output);
    }
  }
  return 0;
}
