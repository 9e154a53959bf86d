// Feeds arbitrary bytes as keystrokes to the whole dialogue and aborts when it
// misbehaves: when how the input arrives changes anything, when a report
// breaks a rule of mechanics, when the hypotheses disagree on the final
// workspace, when a value is not a number or infinite without cause, or when
// a warning line could drive or deceive a terminal or misquotes a word.
#include <iconv.h>

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
  std::string warnings;
  Workspace workspace;
};

Session Run(std::string_view keys, std::size_t chunk, StreamFaults faults = StreamFaults()) {
  Session session;
  MemoryConsole memory(keys, chunk, faults, faults);
  MenuLoop(&memory.console, &session.workspace);
  session.output = memory.output;
  session.warnings = memory.warnings;
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

// Returns the code points of `line`, or false when it is no valid UTF-8 (as
// iconv, which refuses overlong forms, surrogates and truncated sequences,
// decodes it).
bool DecodeUtf8(const std::string& line, std::u32string* code_points) {
  static const iconv_t decoder = iconv_open("UTF-32LE", "UTF-8");
  if (decoder == reinterpret_cast<iconv_t>(-1)) std::abort();
  iconv(decoder, nullptr, nullptr, nullptr, nullptr);
  std::string in = line;
  std::vector<char> out(4 * line.size() + 4);
  char* in_at = in.data();
  char* out_at = out.data();
  std::size_t in_left = in.size(), out_left = out.size();
  if (iconv(decoder, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1)) {
    return false;
  }
  code_points->resize((out.size() - out_left) / 4);
  std::memcpy(code_points->data(), out.data(), code_points->size() * 4);
  return true;
}

// Returns true for the characters no warning may carry as they are: controls,
// separators, bidirectional, zero-width and other invisible format characters.
bool Forbidden(char32_t c) {
  const auto in = [c](char32_t first, char32_t last) { return c >= first && c <= last; };
  return c < 0x20 || in(0x7f, 0x9f) || c == 0x061c || c == 0x180e || in(0x200b, 0x200f) ||
         in(0x2028, 0x202e) || in(0x2060, 0x2064) || in(0x2066, 0x206f) || c == 0xfeff ||
         in(0xfff9, 0xfffb);
}

void AppendUtf8(char32_t c, std::string* text) {
  if (c < 0x80) {
    *text += static_cast<char>(c);
    return;
  }
  const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  *text += static_cast<char>(((0xff00u >> length) & 0xff) | (c >> (6 * (length - 1))));
  for (int i = length - 2; i >= 0; --i) *text += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3f));
}

// Reads the quoted word at `at` (just after its opening quote) back into the
// bytes it stands for. Returns false when its escapes are malformed.
bool Unquote(const std::string& line, std::size_t at, std::string* word) {
  for (; at < line.size() && line[at] != '"'; ++at) {
    if (line[at] != '\\') {
      *word += line[at];
      continue;
    }
    const char kind = at + 1 < line.size() ? line[at + 1] : 0;
    if (kind == '\\' || kind == '"') {
      *word += kind;
      ++at;
    } else if (kind == 'x' && at + 3 < line.size()) {
      *word += static_cast<char>(std::strtoul(line.substr(at + 2, 2).c_str(), nullptr, 16));
      at += 3;
    } else if (kind == 'u' && line.compare(at + 2, 1, "{") == 0) {
      const std::size_t close = line.find('}', at);
      if (close == std::string::npos) return false;
      AppendUtf8(std::strtoul(line.substr(at + 3, close - at - 3).c_str(), nullptr, 16), word);
      at = close;
    } else {
      return false;
    }
  }
  return at < line.size();
}

// Checks every warning line: valid UTF-8, no character a terminal acts on or
// hides, and a quoted word that reads back as a word of the input.
void CheckWarnings(const std::string& warnings, std::string_view keys) {
  constexpr std::string_view kPrefix = "vergleichsspannung: ";
  for (std::size_t at = 0; at < warnings.size();) {
    const std::size_t end = warnings.find('\n', at);
    if (end == std::string::npos) Fail("a warning without its line end", warnings);
    const std::string line = warnings.substr(at, end - at);
    at = end + 1;
    std::u32string code_points;
    if (!DecodeUtf8(line, &code_points)) Fail("a warning that is no valid UTF-8", line);
    if (std::any_of(code_points.begin(), code_points.end(), Forbidden)) {
      Fail("a warning with a control or invisible character", line);
    }
    if (line.compare(0, kPrefix.size(), kPrefix) != 0) Fail("a warning of no name", line);
    if (line.compare(kPrefix.size(), 1, "\"") != 0) continue;
    std::string word;
    if (!Unquote(line, kPrefix.size() + 1, &word) || word.empty() ||
        keys.find(word) == std::string_view::npos) {
      Fail("a quoted word that is not the word read", line);
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
  if (bytewise.warnings != whole.warnings)
    Fail("warnings depend on how input arrives", whole.warnings);
  CheckWarnings(whole.warnings, keys);
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
