// Principal and equivalent stresses in long double, written from the
// mechanics independently of the routines under test, for the stress tests
// to compare against.
#ifndef VERGLEICHSSPANNUNG_STRESS_EXACT_STRESS_H_
#define VERGLEICHSSPANNUNG_STRESS_EXACT_STRESS_H_

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "stress/workspace.h"

namespace vergleichsspannung {

using Exact = std::vector<long double>;

// Returns the principal stresses of `state` in `w`, in no particular order.
inline Exact ExactPrincipal(StressState state, const Workspace& w) {
  const auto& s = w.values.slot;
  const auto in_plane = [](long double a, long double b, long double t) {
    const long double r = std::sqrt((a - b) * (a - b) / 4 + t * t);
    return Exact{(a + b) / 2 + r, (a + b) / 2 - r};
  };
  switch (state) {
    case StressState::Spatial: {
      const long double x = s[0], y = s[1], z = s[2], u = s[3], v = s[4], t = s[5];
      const long double mean = (x + y + z) / 3;
      const long double a = x - mean, b = y - mean, c = z - mean;
      const long double j2 = (a * a + b * b + c * c) / 2 + u * u + v * v + t * t;
      const long double j3 = a * b * c + 2 * u * v * t - a * v * v - b * t * t - c * u * u;
      if (j2 == 0) return {mean, mean, mean};
      const long double k = std::sqrt(j2 / 3);
      const long double angle = std::acos(std::clamp(j3 / 2 / (k * k * k), -1.0L, 1.0L)) / 3;
      const long double step = 2 * std::acos(-1.0L) / 3;
      return {mean + 2 * k * std::cos(angle), mean + 2 * k * std::cos(angle - step),
              mean + 2 * k * std::cos(angle + step)};
    }
    case StressState::Plane:
      return in_plane(s[0], s[1], s[2]);
    case StressState::Axisymmetric: {
      Exact e = in_plane(s[0], s[1], s[2]);
      e.push_back(s[3]);
      return e;
    }
    case StressState::Plate:
      return in_plane(w.plate.slot[0], w.plate.slot[1], w.plate.slot[2]);
  }
  return {};
}

// Returns the equivalent stress of `hypothesis` over `principal`, the
// principal stresses of `state`.
inline long double ExactEquivalent(StressState state, Hypothesis hypothesis,
                                   const Exact& principal) {
  Exact all = principal;
  if (state == StressState::Plane || state == StressState::Plate) all.push_back(0);
  const auto [low, high] = std::minmax_element(all.begin(), all.end());
  if (hypothesis == Hypothesis::NH) return std::max(std::fabs(*low), std::fabs(*high));
  if (hypothesis == Hypothesis::SH) return *high - *low;
  long double sum = 0;
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = i + 1; j < all.size(); ++j) sum += (all[i] - all[j]) * (all[i] - all[j]);
  }
  return std::sqrt(sum / 2);
}

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_EXACT_STRESS_H_
