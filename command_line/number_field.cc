#include "command_line/number_field.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

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

std::size_t SkipDigits(std::string_view word, std::size_t i) {
  while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
  return i;
}

std::size_t SkipSign(std::string_view word, std::size_t i) {
  return i < word.size() && (word[i] == '+' || word[i] == '-') ? i + 1 : i;
}

// Returns the index after the exponent ("e-5") at `i`, `i` where there is
// none, std::string_view::npos where it has no digits.
std::size_t SkipExponent(std::string_view word, std::size_t i) {
  if (i == word.size() || (word[i] != 'e' && word[i] != 'E')) return i;
  const std::size_t digits = SkipSign(word, i + 1);
  const std::size_t end = SkipDigits(word, digits);
  return end == digits ? std::string_view::npos : end;
}

// Returns true when `word` is a decimal number by the prompts' grammar (sign,
// digits with one point or comma, exponent), whatever its size.
bool IsDecimal(std::string_view word) {
  const std::size_t integer = SkipSign(word, 0);
  std::size_t i = SkipDigits(word, integer);
  std::size_t digits = i - integer;
  if (i < word.size() && (word[i] == '.' || word[i] == ',')) {
    const std::size_t end = SkipDigits(word, i + 1);
    digits += end - i - 1;
    i = end;
  }
  return digits > 0 && SkipExponent(word, i) == word.size();
}

// Powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// Whole numbers of up to 15 digits are exact in a double.
constexpr int kMaxExactDigits = 15;

// Stores in *value the number `word` spells where it is what tables mostly
// hold, an optional minus, up to 15 digits and at most one decimal point
// ("-1234.567"), and returns true; false for anything else. Its digits make
// a whole number m and the point a power of ten p, both exact in a double,
// so m / p, rounded once, is the correctly rounded value, as any correct
// reading gives it (Clinger's fast path).
bool ReadPlainDecimal(std::string_view word, double* value) {
  const bool negative = !word.empty() && word[0] == '-';
  std::size_t i = negative ? 1 : 0;
  std::uint64_t whole = 0;
  int digits = 0, fraction_digits = 0;
  bool point = false;
  for (; i < word.size(); ++i) {
    const char c = word[i];
    if (c >= '0' && c <= '9') {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      ++digits;
      fraction_digits += point ? 1 : 0;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0 || digits > kMaxExactDigits) return false;
  const double magnitude = static_cast<double>(whole) / kExactPowersOfTen[fraction_digits];
  *value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

FieldRefusal ReadStressField(std::string_view word, double* stress) {
  // Most fields are plain numbers with a point: ReadPlainDecimal and
  // std::from_chars read those at a fraction of the prompts' cost and to the
  // same correctly rounded double. Where from_chars reads the whole word as a finite number, the
  // prompts take the word too (from_chars knows no hexadecimal in this format, and "inf" and "nan"
  // are not finite). Everything else -- a decimal comma, a plus sign, a number too small for a
  // double, a refusal -- goes to the prompts' own reading, which decides.
  if (word.size() > kMaxWordLength) return FieldRefusal::kTooLong;
  if (ReadPlainDecimal(word, stress)) return FieldRefusal::kNone;
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

std::string RefusalReason(FieldRefusal refusal) {
  switch (refusal) {
    case FieldRefusal::kNotANumber:
      return Translated("not a decimal number");
    case FieldRefusal::kNotFinite:
      return Translated("not a finite number");
    case FieldRefusal::kBeyondRange:
      return Translated("beyond the range of a double");
    case FieldRefusal::kTooLong:
      return FillIn(Translated("longer than %s bytes"), {std::to_string(kMaxWordLength)});
    case FieldRefusal::kNone:
      break;
  }
  assert(false);
  return "";
}

}  // namespace vergleichsspannung
