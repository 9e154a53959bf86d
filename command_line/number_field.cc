#include "command_line/number_field.h"

#include <cassert>
#include <charconv>
#include <cmath>

#include "console/messages.h"
#include "console/number_word.h"

namespace vergleichsspannung {

namespace {

// Returns true when `word`, a sign aside, names infinity or not-a-number as
// the C library spells them ("inf", "Infinity", "nan", "NaN(1)").
bool NamesNotFinite(std::string_view word) {
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) word.remove_prefix(1);
  const auto starts = [word](std::string_view name) {
    if (word.size() < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if ((word[i] | 0x20) != name[i]) return false;
    }
    return true;
  };
  return starts("inf") || starts("nan");
}

// Returns true when `word` is a decimal number by the prompts' grammar (sign,
// digits with one point or comma, exponent), whatever its size.
bool IsDecimal(std::string_view word) {
  std::size_t i = 0, digits = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
  for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) ++digits;
  if (i < word.size() && (word[i] == '.' || word[i] == ',')) {
    for (++i; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    const std::size_t exponent = i;
    while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
    if (i == exponent) return false;
  }
  return i == word.size();
}

}  // namespace

FieldRefusal ReadStressField(std::string_view word, double* stress) {
  // Most fields are plain numbers with a point: std::from_chars reads those
  // at a fraction of the prompts' cost and to the same correctly rounded
  // double. Where it reads the whole word as a finite number, the prompts
  // take the word too (from_chars knows no hexadecimal in this format, and
  // "inf" and "nan" are not finite). Everything else -- a decimal comma, a
  // plus sign, a number too small for a double, a refusal -- goes to the
  // prompts' own reading, which decides.
  double value;
  const std::from_chars_result read =
      std::from_chars(word.data(), word.data() + word.size(), value);
  if (read.ec == std::errc() && read.ptr == word.data() + word.size() && std::isfinite(value)) {
    *stress = value;
    return FieldRefusal::kNone;
  }
  if (ParseStressValue(word, stress)) return FieldRefusal::kNone;
  if (NamesNotFinite(word)) return FieldRefusal::kNotFinite;
  return IsDecimal(word) ? FieldRefusal::kBeyondRange : FieldRefusal::kNotANumber;
}

const char* RefusalReason(FieldRefusal refusal) {
  switch (refusal) {
    case FieldRefusal::kNotANumber:
      return Translated("not a decimal number");
    case FieldRefusal::kNotFinite:
      return Translated("not a finite number");
    case FieldRefusal::kBeyondRange:
      return Translated("beyond the range of a double");
    case FieldRefusal::kNone:
      break;
  }
  assert(false);
  return "";
}

}  // namespace vergleichsspannung
