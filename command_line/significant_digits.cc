#include "command_line/significant_digits.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vergleichsspannung {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
// The most digits the quick way rounds: with more, the spacing of the
// decimals comes near that of the doubles, and only exact arithmetic tells.
constexpr int kMaxQuickDigits = 15;
// Scaled values from here on do not convert to a whole number exactly.
constexpr double kMaxScaled = 0x1p52;

// The library's conversion: exact in every case, and slower.
char* WriteExactly(char* out, double value, int digits) {
  const std::to_chars_result written =
      std::to_chars(out, out + kMaxSignificantText, value, std::chars_format::general, digits);
  assert(written.ec == std::errc());
  return written.ptr;
}

// Stores in *rounded |value| * 10^(digits - 1 - exponent) rounded to a whole
// number, where one correctly rounded multiplication or division by an exact
// power of ten gives it and it lies far enough from a tie that its rounding
// cannot turn it. Returns false where that cannot be promised.
bool ScaleToDigits(double magnitude, int digits, int exponent, std::uint64_t* rounded) {
  const int shift = digits - 1 - exponent;
  if (shift > kMaxExactPower || shift < -kMaxExactPower) return false;
  const double scaled =
      shift >= 0 ? magnitude * kExactPowersOfTen[shift] : magnitude / kExactPowersOfTen[-shift];
  if (!(scaled < kMaxScaled)) return false;
  // Truncation is floor here: scaled is not negative.
  const auto whole = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  // Half an ulp of scaled is the error of the one rounding; four keep clear of it.
  const double margin = scaled * 0x1p-50;
  if (std::fabs(fraction - 0.5) <= margin) return false;
  *rounded = whole + (fraction > 0.5 ? 1 : 0);
  return true;
}

// "00" to "99": two digits per division, which halves the divisions.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of `number`, `count` of them, ending at `end`.
void WriteDigits(char* end, std::uint64_t number, int count) {
  for (; count >= 2; count -= 2) {
    end -= 2;
    std::memcpy(end, kDigitPairs + 2 * (number % 100), 2);
    number /= 100;
  }
  if (count == 1) *--end = static_cast<char>('0' + number % 10);
}

// Writes the digits of `mantissa` (`digits` of them) with the decimal
// exponent `exponent` as "%g" lays them out: trailing zeros dropped, fixed
// notation for exponents from -4 to digits - 1, scientific otherwise.
char* LayOut(char* out, std::uint64_t mantissa, int digits, int exponent) {
  const bool scientific = exponent < -4 || exponent >= digits;
  int kept = digits;
  while (kept > 1 && mantissa % 10 == 0) {
    mantissa /= 10;
    --kept;
  }
  char text[20] = {};
  WriteDigits(text + kept, mantissa, kept);
  if (scientific) {
    *out++ = text[0];
    if (kept > 1) *out++ = '.';
    for (int i = 1; i < kept; ++i) *out++ = text[i];
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int size = exponent < 0 ? -exponent : exponent;
    const int width = size >= 100 ? 3 : 2;
    WriteDigits(out + width, static_cast<std::uint64_t>(size), width);
    return out + width;
  }
  if (exponent < 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = -1; i > exponent; --i) *out++ = '0';
    for (int i = 0; i < kept; ++i) *out++ = text[i];
    return out;
  }
  const int integer = exponent + 1;
  if (kept <= integer) {
    std::memcpy(out, text, static_cast<std::size_t>(kept));
    std::memset(out + kept, '0', static_cast<std::size_t>(integer - kept));
    return out + integer;
  }
  std::memcpy(out, text, static_cast<std::size_t>(integer));
  out[integer] = '.';
  std::memcpy(out + integer + 1, text + integer, static_cast<std::size_t>(kept - integer));
  return out + kept + 1;
}

// Stores in *exponent the decimal exponent of `magnitude`, or one less where
// it lies below 1; returns false for a subnormal number. It comes from the
// binary exponent e: floor(e * log10(2)) is (e * 78913) >> 18 for every
// exponent of a double, and one comparison with a power of ten above 1
// makes it exact there.
bool EstimateExponent(double magnitude, int* exponent) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int binary_exponent = static_cast<int>(bits >> 52) - 1023;
  if (binary_exponent == -1023) return false;
  *exponent = (binary_exponent * 78913) >> 18;
  const int next = *exponent + 1;
  if (next >= 0 && next <= kMaxExactPower && magnitude >= kExactPowersOfTen[next]) ++*exponent;
  return true;
}

}  // namespace

char* WriteSignificant(char* out, double value, int digits) {
  assert(digits >= 1 && digits <= 17 && std::isfinite(value));
  if (value == 0 || digits > kMaxQuickDigits) return WriteExactly(out, value, digits);
  const double magnitude = std::fabs(value);
  int exponent = 0;
  std::uint64_t mantissa = 0;
  if (!EstimateExponent(magnitude, &exponent) ||
      !ScaleToDigits(magnitude, digits, exponent, &mantissa)) {
    return WriteExactly(out, value, digits);
  }
  const auto smallest = static_cast<std::uint64_t>(kExactPowersOfTen[digits - 1]);
  // The estimate may still be one too small (below 1), and rounding may carry
  // into one more digit: then the next exponent rounds again, on the grid the
  // carry lands on.
  for (int tries = 0; mantissa < smallest || mantissa >= smallest * 10; ++tries) {
    exponent += mantissa < smallest ? -1 : 1;
    if (tries == 2 || !ScaleToDigits(magnitude, digits, exponent, &mantissa)) {
      return WriteExactly(out, value, digits);
    }
  }
  if (value < 0) *out++ = '-';
  return LayOut(out, mantissa, digits, exponent);
}

}  // namespace vergleichsspannung
