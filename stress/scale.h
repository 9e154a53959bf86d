// Power-of-two scaling of stress components, so that products of components
// neither overflow nor underflow. Multiplying by a power of two is exact, so a
// result computed on scaled components and scaled back carries the same digits.
#ifndef VERGLEICHSSPANNUNG_STRESS_SCALE_H_
#define VERGLEICHSSPANNUNG_STRESS_SCALE_H_

#include <cmath>
#include <initializer_list>

// Returns true when every component is a finite number.
inline bool AllFinite(std::initializer_list<double> components) {
  for (double c : components) {
    if (!std::isfinite(c)) return false;
  }
  return true;
}

// Returns the exponent e for which the largest magnitude times 2^-e lies in
// [0.5, 1), or 0 when every component is zero.
// REQUIRES: every component is finite.
inline int ScaleExponent(std::initializer_list<double> components) {
  double largest = 0;
  for (double c : components) largest = std::fmax(largest, std::fabs(c));
  int exponent = 0;
  std::frexp(largest, &exponent);
  return exponent;
}

#endif  // VERGLEICHSSPANNUNG_STRESS_SCALE_H_
