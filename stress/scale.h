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
// as the zero it is in exact arithmetic.
inline double SqrtOfRounded(double radicand) { return std::sqrt(std::fmax(radicand, 0.0)); }

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

// Scales the components of one stress state so that the largest magnitude
// lies in [0.5, 1), and results back. Down and Up round exactly as ldexp does:
// they multiply by a power of two where it and its inverse are normal numbers,
// and call ldexp at the far ends of the range.
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
    if (biased == 0) {
      double magnitude;
      std::memcpy(&magnitude, &largest, sizeof magnitude);
      std::frexp(magnitude, &scale.exponent_);  // zero or subnormal
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
  double Down(double x) const { return multiply_ ? x * down_ : std::ldexp(x, -exponent_); }
  // Returns x * 2^e.
  double Up(double x) const { return multiply_ ? x * up_ : std::ldexp(x, exponent_); }

  // Returns x, a value scaled by `other`, scaled by this scale instead, without
  // passing through the unscaled value, which may lie beyond the double range.
  double From(const PowerOfTwoScale& other, double x) const {
    const int shift = other.exponent_ - exponent_;
    return shift == 0 ? x : std::ldexp(x, shift);
  }

 private:
  // REQUIRES: -1022 <= n <= 1023.
  static double PowerOfTwo(int n) {
    const std::uint64_t bits = static_cast<std::uint64_t>(n + 1023) << 52;
    double power;
    std::memcpy(&power, &bits, sizeof power);
    return power;
  }

  int exponent_ = 0;
  bool multiply_ = true;
  double down_ = 1;
  double up_ = 1;
};

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_SCALE_H_
