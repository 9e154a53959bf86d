// The yardstick of the piped throughput benchmark: the least a program must do
// for its input, key `g` and a pause key over and over at the start state.
// It reads standard input in large blocks, computes each report with the
// same solver and number formatting as the calculator, and writes the same
// bytes in large blocks; what the calculator spends beyond this is the cost
// of its console and menu.
#include <cstddef>
#include <string>

#include "console/terminal/byte_stream.h"
#include "console/terminal/terminal.h"
#include "stress/format.h"
#include "stress/hypotheses.h"

namespace {

constexpr std::size_t kBlock = 1 << 16;
constexpr const char kMenu[] =
    "\nVergleichsspannung,i Info\nF1 a Spannungszustand\nF2 b Hypothese\n"
    "F3 c Spannungswerte\nF6 w momentan def. Werte\nF7 g Compute\nF8 q Exit\n";
constexpr const char kReportHead[] = "Ergebnisse:\nraeuml.SpaZus,NH:\n";
constexpr const char kUnit[] = "[N/mm2]\n";
constexpr const char kPause[] = "\nweiter mit bel.Taste..";

// Writes all of `data` to standard output. Returns false on a failure.
bool WriteAll(const std::string& data) {
  vergleichsspannung::ByteSink out;
  out.write = [](const char* bytes, std::size_t size) {
    return vergleichsspannung::terminal::WriteSome(1, bytes, size);
  };
  out.await = [] { return vergleichsspannung::terminal::AwaitReady(1, true); };
  return !vergleichsspannung::WriteAll(out, data).failed();
}

// Appends one value line of the report.
void AppendValue(std::string* out, const char* label, double value) {
  *out += label;
  *out += vergleichsspannung::FormatStress(value);
  *out += kUnit;
}

// Appends the report of key `g` at the start state, with its pause text.
void AppendReport(std::string* out, vergleichsspannung::Workspace* workspace) {
  using vergleichsspannung::EquivalentStress;
  *out += kReportHead;
  const double equivalent = EquivalentStress(workspace->state, workspace->hypothesis, workspace);
  AppendValue(out, "Sig1= ", workspace->results.Sig1);
  AppendValue(out, "Sig2= ", workspace->results.Sig2);
  AppendValue(out, "Sig3= ", workspace->results.Sig3);
  AppendValue(out, "SigV= ", equivalent);
  *out += kPause;
}

}  // namespace

int main() {
  vergleichsspannung::Workspace workspace;
  std::string out = kMenu;
  out.reserve(2 * kBlock);
  static char input[kBlock];
  bool pausing = false;
  vergleichsspannung::ByteSource in;
  in.read = [](char* bytes, std::size_t size) {
    return vergleichsspannung::terminal::ReadSome(0, bytes, size);
  };
  in.await = [] { return vergleichsspannung::terminal::AwaitReady(0, false); };
  for (;;) {
    const long read_count = vergleichsspannung::ReadAvailable(in, input, sizeof input).count;
    if (read_count <= 0) break;
    for (long i = 0; i < read_count; ++i) {
      // A pause key, or any key but `g`, brings the menu back.
      if (!pausing && input[i] == 'g') {
        AppendReport(&out, &workspace);
        pausing = true;
      } else {
        out += kMenu;
        pausing = false;
      }
      if (out.size() >= kBlock) {
        if (!WriteAll(out)) return 1;
        out.clear();
      }
    }
  }
  return WriteAll(out) ? 0 : 1;
}
