// Power-of-two scaling of stress components, so that products of components
// neither overflow nor underflow. Multiplying by a power of two is exact, so a
// result computed on scaled components and scaled back carries the same digits.
// Also the guards that keep rounding from turning a finite state into
// not-a-number.
#ifndef VERGLEICHSSPANNUNG_STRESS_SCALE_H_
#define VERGLEICHSSPANNUNG_STRESS_SCALE_H_

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace vergleichsspannung {

// Returns sqrt(radicand), taking a radicand that rounding pushed below zero
// as the zero it is in exact arithmetic (and not-a-number as zero, as fmax would).
inline double SqrtOfRounded(double radicand) { return std::sqrt(radicand > 0 ? radicand : 0.0); }

// The bits of |x|: as integers they order as the magnitudes do, and those of
// an infinity or not-a-number lie at or above kNotFiniteBits.
inline std::uint64_t MagnitudeBits(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits & ~(std::uint64_t{1} << 63);
}
constexpr std::uint64_t kNotFiniteBits = std::uint64_t{0x7ff} << 52;

// Returns the MagnitudeBits of the largest component, at or above
// kNotFiniteBits when one is not a finite number. Integer comparisons find it
// without a branch per component.
inline std::uint64_t LargestMagnitudeBits(std::initializer_list<double> components) {
  std::uint64_t largest = 0;
  for (double c : components) {
    const std::uint64_t bits = MagnitudeBits(c);
    largest = bits > largest ? bits : largest;
  }
  return largest;
}

// Returns true when every component is a finite number.
inline bool AllFinite(std::initializer_list<double> components) {
  return LargestMagnitudeBits(components) < kNotFiniteBits;
}

// Returns 2^n.
// REQUIRES: -1022 <= n <= 1023.
inline double PowerOfTwo(int n) {
  const std::uint64_t bits = static_cast<std::uint64_t>(n + 1023) << 52;
  double power;
  std::memcpy(&power, &bits, sizeof power);
  return power;
}

// Returns x * 2^n rounded once, as ldexp does, from multiplications alone, so
// that no result depends on a maths library: upward each step is
// exact until it overflows, as the result then does; downward each step is
// exact while the value stays normal, so the one that may round into the
// subnormals comes last. A value rounded before lies below 2^-2044 of which
// the rest leaves zero.
inline double TimesPowerOfTwo(double x, int n) {
  for (; n > 1023; n -= 1023) x *= PowerOfTwo(1023);
  for (; n < -2044; n += 1022) x *= PowerOfTwo(-1022);
  if (n < -1022) {
    x *= PowerOfTwo(n + 1022);
    n = -1022;
  }
  return x * PowerOfTwo(n);
}

// Scales the components of one stress state so that the largest magnitude
// lies in [0.5, 1), and results back. Down and Up round exactly as ldexp does:
// one multiplication by a power of two where it and its inverse are normal
// numbers, TimesPowerOfTwo at the far ends of the range.
class PowerOfTwoScale {
 public:
  // The scale of components whose largest magnitude already lies in [0.5, 1).
  PowerOfTwoScale() = default;

  // REQUIRES: every component is finite.
  explicit PowerOfTwoScale(std::initializer_list<double> components)
      : PowerOfTwoScale(OfLargest(LargestMagnitudeBits(components))) {}

  // The scale of components whose largest magnitude has the MagnitudeBits
  // `largest`.
  // REQUIRES: largest < kNotFiniteBits.
  static PowerOfTwoScale OfLargest(std::uint64_t largest) {
    PowerOfTwoScale scale;
    const int biased = static_cast<int>(largest >> 52);
    if (biased == 0) {  // zero or subnormal: 2^54 times it is normal, or zero
      double magnitude;
      std::memcpy(&magnitude, &largest, sizeof magnitude);
      const int normal = static_cast<int>(MagnitudeBits(magnitude * PowerOfTwo(54)) >> 52);
      scale.exponent_ = largest == 0 ? 0 : normal - 1022 - 54;
    } else {
      scale.exponent_ = biased - 1022;
    }
    scale.multiply_ = scale.exponent_ >= -1021 && scale.exponent_ <= 1022;
    if (scale.multiply_) {
      scale.down_ = PowerOfTwo(-scale.exponent_);
      scale.up_ = PowerOfTwo(scale.exponent_);
    }
    return scale;
  }

  // Returns x * 2^-e.
  double Down(double x) const { return multiply_ ? x * down_ : TimesPowerOfTwo(x, -exponent_); }
  // Returns x * 2^e.
  double Up(double x) const { return multiply_ ? x * up_ : TimesPowerOfTwo(x, exponent_); }

  // Returns x, a value scaled by `other`, scaled by this scale instead, without
  // passing through the unscaled value, which may lie beyond the double range.
  double From(const PowerOfTwoScale& other, double x) const {
    const int shift = other.exponent_ - exponent_;
    return shift == 0 ? x : TimesPowerOfTwo(x, shift);
  }

 private:
  int exponent_ = 0;
  bool multiply_ = true;
  double down_ = 1;
  double up_ = 1;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_SCALE_H_
