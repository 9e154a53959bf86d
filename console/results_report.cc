#include "console/results_report.h"

#include "console/pause.h"
#include "stress/hypotheses.h"

namespace {

constexpr const char* kHeading = "Ergebnisse:\n";

// Headers by state (rows) and hypothesis (columns GEH, NH, SH).
constexpr const char* kHeaders[4][3] = {
    {"raeuml.SpaZus,GEH:\n", "raeuml.SpaZus,NH:\n", "raeuml.SpaZus,SH:\n"},
    {"ScheibenSpaZus,GEH:\n", "ScheibenSpaZus,NH:\n", "ScheibenSpaZus,SH:\n"},
    {"axialsym.SpaZus,GEH:\n", "axialsym.SpaZus,NH:\n", "axialsym.SpaZus,SH:\n"},
    {"PlattenSpaZus,GEH:\n", "PlattenSpaZus,NH:\n", "PlattenSpaZus,SH:\n"},
};

constexpr const char* kSig1 = "Sig1= %g[N/mm2]\n";
constexpr const char* kSig2 = "Sig2= %g[N/mm2]\n";
constexpr const char* kSig3 = "Sig3= %g[N/mm2]\n";
constexpr const char* kSigV = "SigV= %g[N/mm2]\n";

}  // namespace

bool ReportResults(Console* console, Workspace* workspace) {
  console->Print(kHeading);
  const StressState state = workspace->state;
  const Hypothesis hypothesis = workspace->hypothesis;
  StressResults& results = workspace->results;
  results.SigV = EquivalentStress(state, hypothesis, workspace);

  console->Print(kHeaders[static_cast<int>(state) - 1][static_cast<int>(hypothesis) - 1]);
  if (hypothesis != Hypothesis::GEH) {
    console->PrintValue(kSig1, results.Sig1);
    console->PrintValue(kSig2, results.Sig2);
    if (state == StressState::Spatial || state == StressState::Axisymmetric) {
      console->PrintValue(kSig3, results.Sig3);
    }
  }
  console->PrintValue(kSigV, results.SigV);
  return PauseForKey(console, kPauseOnNewLine);
}
