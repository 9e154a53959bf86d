// The pause after a report: the user reads, then presses any key.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_PAUSE_H_
#define VERGLEICHSSPANNUNG_CONSOLE_PAUSE_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <string_view>

#include "console/console.h"

namespace vergleichsspannung {

constexpr std::string_view kPauseText = "weiter mit bel.Taste..";
constexpr std::string_view kPauseOnNewLine = "\nweiter mit bel.Taste..";

// Prints `text` and waits for one key, which is discarded. Returns false when
// input ended instead.
inline bool PauseForKey(Console* console, std::string_view text) {
  console->Print(text);
  int ignored = 0;
  return console->ReadKey(&ignored, text);
}

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_PAUSE_H_
