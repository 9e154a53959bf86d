#include "console/number_word.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

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

  const double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value)) return false;
  *stress = value;
  return true;
}

}  // namespace vergleichsspannung
