#include "console/menu_loop.h"

#include <string>
#include <string_view>

#include "console/hypothesis_table.h"
#include "console/number_word.h"
#include "console/pause.h"
#include "console/refusal.h"
#include "console/results_report.h"
#include "console/stress_state_table.h"
#include "console/stress_values_dialog.h"
#include "console/version.h"

namespace vergleichsspannung {

namespace {

// The menu, one line per command, printed as one text.
constexpr std::string_view kMenu =
    "\n"
    "Vergleichsspannung,i Info\n"
    "F1 a Spannungszustand\n"
    "F2 b Hypothese\n"
    "F3 c Spannungswerte\n"
    "F6 w momentan def. Werte\n"
    "F7 g Compute\n"
    "F8 q Exit\n";

// The about line: its fixed start, then this program's release.
constexpr const char* kAboutStart = "QUILM Vergleichsspannungen, vergleichsspannung Version ";
constexpr const char* kAboutEnd = ", fuer Linux-, POSIX- und Windows-Konsolen\n";
constexpr const char* kChoicePrompt = "Ihre Wahl:";
// What a refused choice was for, as the menu names it.
constexpr const char* kStateName = "Spannungszustand";
constexpr const char* kHypothesisName = "Hypothese";

constexpr const char* kStatePrompt = "Spannungszustand:";
constexpr const char* kHypothesisPrompt = "Spannungshypothese:";

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

// Ends the dialogue: its output written, the exit status of the process.
int Finish(Console* console) { return console->Finish() ? kExitSuccess : kExitFailure; }

// Prints the state prompt's heading and the line of every state.
void PrintStateMenu(Console* console) {
  console->Print(kStatePrompt);
  for (int s = kFirstStressState; s <= kLastStressState; ++s) {
    console->Print(StressStateRowOf(static_cast<StressState>(s)).menu_line);
  }
}

// Prints the hypothesis prompt's heading and the line of every hypothesis.
void PrintHypothesisMenu(Console* console) {
  console->Print(kHypothesisPrompt);
  for (int h = kFirstHypothesis; h <= kLastHypothesis; ++h) {
    console->Print(HypothesisRowOf(static_cast<Hypothesis>(h)).menu_line);
  }
}

// Prints "\nIhre Wahl:" and reads a whole number until one from `lowest` to
// `highest` arrives; a reply that is not a whole number is refused with the
// rest of its line. Each refused reply is reported as one for `name`, which
// keeps *choice. Returns true with the number in *choice, or false when input
// ends first (*choice untouched).
bool ReadChoice(Console* console, std::string_view name, int lowest, int highest, int* choice) {
  for (;;) {
    console->Print("\n");
    std::string word;
    const Console::Word read = console->ReadWord(Prompt{kChoicePrompt, name}, &word);
    if (read == Console::Word::kEnd) return false;
    int number = 0;
    const bool whole = read == Console::Word::kRead && ParseWholeNumber(word, &number);
    if (whole && number >= lowest && number <= highest) {
      *choice = number;
      WarnOfLeftOver(console, name);
      return true;
    }
    console->Warn(RefusalText(read, word, name, std::to_string(*choice)));
    if (!whole) console->DiscardLine();
  }
}

}  // namespace

int MenuLoop(Console* console) {
  Workspace workspace;
  return MenuLoop(console, &workspace);
}

int MenuLoop(Console* console, Workspace* workspace) {
  for (;;) {
    console->Print(kMenu);
    int key = 0;
    if (!console->ReadKey(&key, kMenu)) return Finish(console);
    bool more_input = true;
    int choice = 0;
    switch (key) {
      case 'i':
        console->Print(kAboutStart);
        console->Print(kVersion);
        console->Print(kAboutEnd);
        more_input = PauseForKey(console, kPauseText);
        break;
      case 'q':
        return Finish(console);
      case 'a':
        PrintStateMenu(console);
        choice = static_cast<int>(workspace->state);
        more_input = ReadChoice(console, kStateName, kFirstStressState, kLastStressState, &choice);
        if (more_input) workspace->state = static_cast<StressState>(choice);
        break;
      case 'b':
        PrintHypothesisMenu(console);
        choice = static_cast<int>(workspace->hypothesis);
        more_input =
            ReadChoice(console, kHypothesisName, kFirstHypothesis, kLastHypothesis, &choice);
        if (more_input) workspace->hypothesis = static_cast<Hypothesis>(choice);
        break;
      case 'c':
        more_input = EnterValues(console, workspace);
        break;
      case 'w':
        more_input = ShowValues(console, *workspace);
        break;
      case 'g':
        more_input = ReportResults(console, workspace);
        break;
      default:
        break;
    }
    if (!more_input) return Finish(console);
  }
}

}  // namespace vergleichsspannung
