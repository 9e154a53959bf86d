// Feeds arbitrary bytes as keystrokes to the whole dialogue and aborts when it
// misbehaves: when how the input arrives changes anything, when a report
// breaks a rule of mechanics, when the hypotheses disagree on the final
// workspace, or when a value is not a number or infinite without cause.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "console/memory_streams.h"
#include "console/menu_loop.h"
#include "console/number_word.h"
#include "console/stress_state_table.h"
#include "stress/format.h"
#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

// The most one key can print: the longest report or value display and a menu.
constexpr std::size_t kMaxOutputPerByte = 512;
// "%g" keeps six digits: a printed value is within this of the true one.
constexpr double kPrintRounding = 1e-5;
// The 60° step rounded to 1.0472 moves spatial principal stresses by up to
// about 5e-6 of the largest component.
constexpr double kStepError = 1e-4;
// A result can exceed the double range only when a component is beyond this.
constexpr double kLargeComponent = 1e300;

struct Session {
  std::string output;
  Workspace workspace;
};

Session Run(std::string_view keys, std::size_t chunk, StreamFaults faults = StreamFaults()) {
  Session session;
  MemoryConsole memory(keys, chunk, faults, faults);
  MenuLoop(&memory.console, &session.workspace);
  session.output = memory.output;
  return session;
}

[[noreturn]] void Fail(const char* what, const std::string& output) {
  std::fprintf(stderr, "%s\n--- output tail:\n%s\n", what,
               output.substr(output.size() > 2000 ? output.size() - 2000 : 0).c_str());
  std::abort();
}

bool SameBits(const void* a, const void* b, std::size_t size) {
  return std::memcmp(a, b, size) == 0;
}

bool SameWorkspace(const Workspace& a, const Workspace& b) {
  return a.state == b.state && a.hypothesis == b.hypothesis &&
         SameBits(&a.values, &b.values, sizeof a.values) &&
         SameBits(&a.plate, &b.plate, sizeof a.plate) &&
         SameBits(&a.results, &b.results, sizeof a.results);
}

// Returns true when some word of the input is a stress value beyond
// kLargeComponent, the only way to an infinite result.
bool TypesALargeComponent(std::string_view keys) {
  std::size_t at = 0;
  while (at < keys.size()) {
    const std::size_t end = std::min(keys.find_first_of(" \t\n\v\f\r", at), keys.size());
    double value = 0;
    if (ParseStressValue(keys.substr(at, end - at), &value) && std::fabs(value) > kLargeComponent) {
      return true;
    }
    at = end + 1;
  }
  return false;
}

// Reads the value of a line "NAME= VALUE[N/mm2]" at `at`; false when the
// value is no number or an infinity that is not allowed.
bool ReadValue(const std::string& output, std::size_t at, bool infinity_allowed, double* value) {
  const std::size_t begin = output.find("= ", at) + 2;
  const std::size_t end = output.find("[N/mm2]", begin);
  if (begin < 2 || end == std::string::npos) return false;
  const std::string text = output.substr(begin, end - begin);
  if (text == FormatStress(HUGE_VAL) || text == FormatStress(-HUGE_VAL)) {
    *value = text == FormatStress(HUGE_VAL) ? HUGE_VAL : -HUGE_VAL;
    return infinity_allowed;
  }
  char* parsed_end = nullptr;
  *value = std::strtod(text.c_str(), &parsed_end);
  return !text.empty() && parsed_end == text.c_str() + text.size() && std::isfinite(*value);
}

// Returns the row of the state whose report header starts with `header`, or
// nullptr when none does.
const StressStateRow* RowOfReport(const std::string& header) {
  for (int s = kFirstStressState; s <= kLastStressState; ++s) {
    const StressStateRow& row = StressStateRowOf(static_cast<StressState>(s));
    if (header.rfind(std::string(row.report_name) + ",", 0) == 0) return &row;
  }
  return nullptr;
}

// Checks every printed value, and each report against what the mechanics of
// its hypothesis demand of the printed principal stresses.
void CheckPrintedValues(const std::string& output, bool infinity_allowed) {
  for (std::size_t at = output.find("[N/mm2]\n"); at != std::string::npos;
       at = output.find("[N/mm2]\n", at + 1)) {
    double value = 0;
    if (!ReadValue(output, output.rfind('\n', at) + 1, infinity_allowed, &value)) {
      Fail("printed value is not a number, or infinite without cause", output);
    }
  }
  for (std::size_t at = output.find("Ergebnisse:\n"); at != std::string::npos;
       at = output.find("Ergebnisse:\n", at + 1)) {
    const std::size_t header = at + 12;
    const std::size_t colon = output.find(":\n", header);
    const std::string name = output.substr(header, colon - header);
    const StressStateRow* row = RowOfReport(name);
    if (row == nullptr) Fail("report header of no stress state", output);
    // A state without Sig3 is an in-plane one, whose normal stress 0 counts.
    const bool in_plane = !row->prints_sig3;
    std::vector<double> sig;
    double sig_v = 0;
    for (std::size_t line = colon + 2; output.compare(line, 3, "Sig") == 0;
         line = output.find('\n', line) + 1) {
      double value = 0;
      ReadValue(output, line, true, &value);
      if (output.compare(line, 4, "SigV") == 0) {
        sig_v = value;
        break;
      }
      sig.push_back(value);
    }
    if (sig.empty()) {
      if (!(sig_v >= 0)) Fail("GEH report with a negative SigV", output);
      continue;
    }
    if (in_plane && sig[0] < sig[1]) Fail("plane report with Sig1 below Sig2", output);
    if (in_plane) sig.push_back(0);
    double largest = 0, highest = -HUGE_VAL, lowest = HUGE_VAL;
    for (double s : sig) {
      largest = std::max(largest, std::fabs(s));
      highest = std::max(highest, s);
      lowest = std::min(lowest, s);
    }
    if (std::isinf(largest)) continue;  // the span of the exact values may still be finite
    const double expected = name.find(",NH") != std::string::npos ? largest : highest - lowest;
    if (sig_v != expected && !(std::fabs(sig_v - expected) <= kPrintRounding * 2 * largest)) {
      Fail("SigV is not the pick of the printed principal stresses", output);
    }
  }
}

// Checks the bounds between the three hypotheses for every state on the
// final workspace: sqrt(3)/2 SH <= GEH <= SH and NH >= SH/2.
void CheckHypotheses(const Workspace& final_workspace, bool infinity_allowed,
                     const std::string& output) {
  for (int s = kFirstStressState; s <= kLastStressState; ++s) {
    const auto state = static_cast<StressState>(s);
    Workspace w = final_workspace;
    const double geh = EquivalentStress(state, Hypothesis::GEH, &w);
    const double nh = EquivalentStress(state, Hypothesis::NH, &w);
    const double sh = EquivalentStress(state, Hypothesis::SH, &w);
    const bool finite = std::isfinite(geh) && std::isfinite(nh) && std::isfinite(sh);
    if (!finite && (!infinity_allowed || std::isnan(geh) || std::isnan(nh) || std::isnan(sh))) {
      Fail("a hypothesis gives a value that is not finite", output);
    }
    if (!finite) continue;
    double scale = 0;
    for (double c : w.values.slot) scale = std::max(scale, std::fabs(c));
    for (double c : w.plate.slot) scale = std::max(scale, std::fabs(c));
    const double slack = kStepError * scale;
    if (!(std::sqrt(3.0) / 2 * sh <= geh + slack && geh <= sh + slack && nh + slack >= sh / 2)) {
      Fail("the hypotheses break their bounds on the final workspace", output);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view keys(reinterpret_cast<const char*>(data), size);
  // A pipe may split the input anywhere, and reads and writes may be
  // interrupted or find the pipe empty or full: byte by byte with all of
  // that, or all at once, the session must be the same.
  StreamFaults faults;
  faults.interrupt_every = 3;
  faults.block_every = 5;
  const Session bytewise = Run(keys, 1, faults);
  const Session whole = Run(keys, 4096);
  if (bytewise.output != whole.output) Fail("output depends on how input arrives", whole.output);
  if (!SameWorkspace(bytewise.workspace, whole.workspace)) {
    Fail("workspace depends on how input arrives", whole.output);
  }
  if (whole.output.size() > kMaxOutputPerByte * (size + 1))
    Fail("output out of bounds", whole.output);
  const bool infinity_allowed = TypesALargeComponent(keys);
  CheckPrintedValues(whole.output, infinity_allowed);
  CheckHypotheses(whole.workspace, infinity_allowed, whole.output);
  return 0;
}

}  // namespace vergleichsspannung
