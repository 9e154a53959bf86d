// Reads the stress value of one field of a table or one argument, by the rules
// of the dialogue's prompts, and says why a refused one was refused.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_NUMBER_FIELD_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_NUMBER_FIELD_H_

#include <string>
#include <string_view>

namespace vergleichsspannung {

// Why a field gave no stress value.
enum class FieldRefusal {
  kNone,         // read
  kNotANumber,   // "x", "3x", "−80" (a typographic minus)
  kNotFinite,    // "nan", "inf", "-Infinity"
  kBeyondRange,  // "1e999": a decimal number beyond the double range
  kTooLong,      // a word of more than kMaxWordLength bytes, as the prompts refuse it
};

// Stores in *stress the value `word` spells, exactly as ParseStressValue reads
// it (a decimal comma included), and returns kNone; otherwise returns why
// the dialogue's prompts would refuse it, leaving *stress untouched. Blanks
// around the word are not part of it and refuse it too.
FieldRefusal ReadStressField(std::string_view word, double* stress);

// Returns the reason of `refusal` in the user's language, as the end of a
// refusal line: "not a decimal number".
// REQUIRES: refusal != FieldRefusal::kNone.
std::string RefusalReason(FieldRefusal refusal);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_NUMBER_FIELD_H_
