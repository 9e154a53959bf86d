// Turns the words typed at the prompts into numbers, refusing every word that
// is not wholly a number of the kind the prompt asks for.
#ifndef VERGLEICHSSPANNUNG_CONSOLE_NUMBER_WORD_H_
#define VERGLEICHSSPANNUNG_CONSOLE_NUMBER_WORD_H_

// Reached only through the text library: a layer below it stops here.
#ifndef VS_LAYER_TEXT
#error "a header of the text layer, included from a layer below it"
#endif

#include <cstddef>
#include <string_view>

namespace vergleichsspannung {

// The longest number word a prompt takes; a longer word is refused whole, so
// input of any length is read in bounded memory, and a table's field by the
// same rule.
constexpr std::size_t kMaxWordLength = 128;

// Stores in *number the whole number `word` spells: an optional sign and
// decimal digits, within the range of int. Returns false for anything else
// ("x", "2.5", "3x", "99999999999"), leaving *number untouched.
bool ParseWholeNumber(std::string_view word, int* number);

// Stores in *stress the finite decimal number `word` spells: an optional sign,
// digits with one optional decimal point or decimal comma ("1,5" is 1.5), and
// an optional exponent ("-1.5e3"). Returns false for anything else, and for
// "nan", "inf", hexadecimal and numbers beyond the double range ("1e999"),
// leaving *stress untouched. A number too small for a double reads as zero.
bool ParseStressValue(std::string_view word, double* stress);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_CONSOLE_NUMBER_WORD_H_
