// Writes a double with a given number of significant digits exactly as
// "%.*g" (and std::to_chars in its general format with that precision) writes
// it, at a fraction of their cost for the digits of a results table.
#ifndef VERGLEICHSSPANNUNG_COMMAND_LINE_SIGNIFICANT_DIGITS_H_
#define VERGLEICHSSPANNUNG_COMMAND_LINE_SIGNIFICANT_DIGITS_H_

namespace vergleichsspannung {

// The room WriteSignificant needs: "-1.2345678901234567e-308".
constexpr int kMaxSignificantText = 32;

// Writes `value` rounded to `digits` significant digits, trailing zeros
// dropped, in fixed notation for decimal exponents from -4 to digits - 1 and
// in scientific notation (at least two exponent digits) otherwise, into
// `out`, and returns the end of the text. Byte for byte the text of
// std::to_chars(out, end, value, std::chars_format::general, digits).
// REQUIRES: 1 <= digits <= 17, value finite, room for kMaxSignificantText bytes.
char* WriteSignificant(char* out, double value, int digits);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_COMMAND_LINE_SIGNIFICANT_DIGITS_H_
