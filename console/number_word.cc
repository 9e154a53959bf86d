#include "console/number_word.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <system_error>

namespace vergleichsspannung {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Returns the index after the digits that start at `i`.
std::size_t SkipDigits(std::string_view word, std::size_t i) {
  while (i < word.size() && IsDigit(word[i])) ++i;
  return i;
}

std::size_t SkipSign(std::string_view word, std::size_t i) {
  return i < word.size() && (word[i] == '+' || word[i] == '-') ? i + 1 : i;
}

// Returns true when the number `text` spells ([-+]digits[.digits][e[-+]digits],
// with a digit in the mantissa) is smaller than 1 in magnitude: its first
// significant digit stands after the decimal point, counting the exponent.
// Only asked of a number out of the double range, which is far below or far
// above 1, so a saturated exponent is exact enough.
bool BelowOne(std::string_view text) {
  const std::size_t mantissa = SkipSign(text, 0);
  const std::size_t point = SkipDigits(text, mantissa);
  const std::size_t first = text.find_first_not_of("0.", mantissa);
  const std::size_t exponent = text.find_first_of("eE");
  const std::size_t mantissa_end = std::min(exponent, text.size());
  long magnitude = 0;  // where the first significant digit stands, 1 just before the point
  if (first < mantissa_end && first < point) {
    magnitude = static_cast<long>(point - first);
  } else if (first < mantissa_end) {
    magnitude = -static_cast<long>(first - point - 1);
  } else {
    return true;  // all zeros: no range error comes from it anyway
  }
  if (exponent != std::string_view::npos) {
    const std::size_t digits = SkipSign(text, exponent + 1);
    long power = 0;
    for (std::size_t i = digits; i < text.size() && power < 100000; ++i)
      power = power * 10 + (text[i] - '0');
    magnitude += text[exponent + 1] == '-' ? -power : power;
  }
  return magnitude <= 0;
}

// Reads `text`, a number as BelowOne takes it, into *value: a number too
// small for a double as zero with its sign. Returns false for one too large.
bool ReadDecimal(const std::string& text, double* value) {
  // from_chars reads the same numbers as strtod, but never by the locale's
  // decimal point; it takes no plus sign.
  const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
  const std::from_chars_result read = std::from_chars(begin, text.data() + text.size(), *value);
  if (read.ec == std::errc::result_out_of_range) {
    if (!BelowOne(text)) return false;
    *value = text[0] == '-' ? -0.0 : 0.0;
    return true;
  }
  return read.ec == std::errc() && read.ptr == text.data() + text.size() && std::isfinite(*value);
}

}  // namespace

bool ParseWholeNumber(std::string_view word, int* number) {
  const std::size_t digits = SkipSign(word, 0);
  if (digits == word.size() || SkipDigits(word, digits) != word.size()) return false;
  long long value = 0;
  for (std::size_t i = digits; i < word.size(); ++i) {
    value = value * 10 + (word[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (word[0] == '-') value = -value;
  if (value < INT_MIN || value > INT_MAX) return false;
  *number = static_cast<int>(value);
  return true;
}

bool ParseStressValue(std::string_view word, double* stress) {
  // sign? digits? ([.,] digits?)? ([eE] sign? digits)?, with a digit in the mantissa.
  const std::size_t integer = SkipSign(word, 0);
  std::size_t i = SkipDigits(word, integer);
  std::size_t mantissa_digits = i - integer;
  std::string text(word.substr(0, i));
  if (i < word.size() && (word[i] == '.' || word[i] == ',')) {
    const std::size_t fraction = i + 1;
    i = SkipDigits(word, fraction);
    mantissa_digits += i - fraction;
    text += '.';
    text.append(word.substr(fraction, i - fraction));
  }
  if (mantissa_digits == 0) return false;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    const std::size_t exponent = SkipSign(word, i + 1);
    const std::size_t end = SkipDigits(word, exponent);
    if (end == exponent) return false;
    text.append(word.substr(i, end - i));
    i = end;
  }
  if (i != word.size()) return false;

  double value = 0;
  if (!ReadDecimal(text, &value)) return false;
  *stress = value;
  return true;
}

}  // namespace vergleichsspannung
