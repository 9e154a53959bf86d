#include "console/results_report.h"

#include "console/hypothesis_table.h"
#include "console/pause.h"
#include "console/stress_state_table.h"
#include "stress/hypotheses.h"

namespace vergleichsspannung {

namespace {

constexpr std::string_view kHeading = "Ergebnisse:\n";
constexpr std::string_view kSig1 = "Sig1= ";
constexpr std::string_view kSig2 = "Sig2= ";
constexpr std::string_view kSig3 = "Sig3= ";
constexpr std::string_view kSigV = "SigV= ";

// Prints one value line of the report.
void PrintResult(Console* console, std::string_view label, double value) {
  PrintStressLine(console, label, value);
  console->Print("\n");
}

}  // namespace

bool ReportResults(Console* console, Workspace* workspace) {
  console->Print(kHeading);
  const StressState state = workspace->state;
  const Hypothesis hypothesis = workspace->hypothesis;
  StressResults& results = workspace->results;
  results.SigV = EquivalentStress(state, hypothesis, workspace);

  const StressStateRow& state_row = StressStateRowOf(state);
  const HypothesisRow& hypothesis_row = HypothesisRowOf(hypothesis);
  console->Print(state_row.report_name);
  console->Print(hypothesis_row.report_part);
  if (hypothesis_row.prints_principal_stresses) {
    PrintResult(console, kSig1, results.Sig1);
    PrintResult(console, kSig2, results.Sig2);
    if (state_row.prints_sig3) PrintResult(console, kSig3, results.Sig3);
  }
  PrintResult(console, kSigV, results.SigV);
  return PauseForKey(console, kPauseOnNewLine);
}

}  // namespace vergleichsspannung
