// The line that tells the user a reply was refused: which word, for which
// value, and what that value keeps, so that a typo never passes in silence.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_
#define VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_

#include <string>
#include <string_view>

#include "console/console.h"

namespace vergleichsspannung {

// Returns `"-8O" refused for SigYY, which stays 400` for the word "-8O" that
// a word read gave as `read`, the value name "SigYY" and the kept value
// "400"; an over-long word or reply line is named by what was too long. Control bytes, bytes that
// are no part of a UTF-8 character, backslashes and quotes in the word are written as escapes, so
// the line stays one readable line.
std::string RefusalText(Console::Word read, std::string_view word, std::string_view value_name,
                        std::string_view kept);

// Returns `"10" left over after TauXY, not taken` for the text "10" left on a
// reply line after the prompt for "TauXY", its last; a text of more than
// kMaxWordLength bytes shows its start and says that more followed.
std::string LeftOverText(std::string_view text, std::string_view value_name);

// Drops the rest of the line of the reply just taken for `value_name`, the
// last value that line fills, and reports the words it held, if any, so that
// no typed number goes unseen.
void WarnOfLeftOver(Console* console, std::string_view value_name);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_REFUSAL_H_
