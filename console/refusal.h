// The lines that tell the user a reply was refused or not taken: which words,
// for which value, and what that value keeps, so that a typo never passes in
// silence. In the user's language; the words are shown as Printable writes them.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_

// Reached only through the dialogue library: a layer below it stops here.
#ifndef VS_LAYER_DIALOGUE
#error "a header of the dialogue layer, included from a layer below it"
#endif

#include <string>
#include <string_view>

#include "console/console.h"

namespace vergleichsspannung {

// Returns `"-8O" refused for SigYY, which stays 400` for the word "-8O" that
// a word read gave as `read`, the value name "SigYY" and the kept value
// "400"; an over-long word or reply line is named by what was too long.
std::string RefusalText(Console::Word read, std::string_view word, std::string_view value_name,
                        std::string_view kept);

// Returns `"10" left over after TauXY, not taken` for the words "10" that
// stood on a reply line after the reply to the last prompt, that of TauXY.
// At most kMaxWordLength bytes of them are shown (`"..." and more left over
// after ...`), cut between characters.
std::string LeftOverText(std::string_view words, std::string_view after_value);

// Drops the rest of the line of the reply just taken for `value_name`, the
// last value that line fills, and reports the words it held, if any, so that
// no typed number goes unseen.
void WarnOfLeftOver(Console* console, std::string_view value_name);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_
