#include "stress/picks.h"

#include <algorithm>
#include <cmath>

#include "stress/ieee_double.h"

namespace vergleichsspannung {

namespace {

// Returns the absolute value of the first candidate that no other candidate's
// absolute value exceeds.
template <int N>
double FirstNotExceeded(const double (&candidates)[N]) {
  double magnitude[N];
  for (int i = 0; i < N; ++i) magnitude[i] = std::fabs(candidates[i]);
  for (int i = 0; i < N - 1; ++i) {
    bool exceeded = false;
    for (int j = 0; j < N; ++j) exceeded = exceeded || magnitude[j] > magnitude[i];
    if (!exceeded) return magnitude[i];
  }
  // Every earlier candidate is exceeded, so none is not-a-number (it would
  // never be exceeded) and none is a largest magnitude: the last one is
  // exceeded by nothing.
  return magnitude[N - 1];
}

// Returns true when each of the values is a number: then the ordered tests
// below come down to the largest value, which is found without a branch that
// random stress states would mispredict. (Infinities of both signs also take
// the ordered tests, which give the same result for them.)
bool AllNumbers(double a, double b, double c) { return !std::isnan(a + b + c); }

// A >= B tested as "B is not greater than A", which holds when either is not
// a number; the order of the tests below then decides.
bool NotBelow(double a, double b) { return !(b > a); }

// Returns std::max(a, b) by value, which g++ -O2 compiles to one instruction
// where through std::max's reference it branches, and random stress states
// mispredict the branch every other time.
double Larger(double a, double b) { return a < b ? b : a; }

}  // namespace

double MaxAbsPick(double sig1, double sig2) { return FirstNotExceeded({sig1, sig2}); }

double MaxAbsPick(double sig1, double sig2, double sig3) {
  const double m1 = std::fabs(sig1), m2 = std::fabs(sig2), m3 = std::fabs(sig3);
  if (AllNumbers(m1, m2, m3)) return Larger(Larger(m1, m2), m3);
  return FirstNotExceeded({sig1, sig2, sig3});
}

double SpanPick(double sig1, double sig2, double sig3) {
  // A span is a magnitude: + 0.0 makes one of zero +0, never -0.
  if (AllNumbers(sig1, sig2, sig3)) {
    return std::max(std::max(sig1, sig2), sig3) - std::min(std::min(sig1, sig2), sig3) + 0.0;
  }
  if (NotBelow(sig1, sig2) && NotBelow(sig2, sig3)) return sig1 - sig3;
  if (NotBelow(sig1, sig3) && NotBelow(sig3, sig2)) return sig1 - sig2;
  if (NotBelow(sig2, sig1) && NotBelow(sig1, sig3)) return sig2 - sig3;
  if (NotBelow(sig2, sig3) && NotBelow(sig3, sig1)) return sig2 - sig1;
  if (NotBelow(sig3, sig2) && NotBelow(sig2, sig1)) return sig3 - sig1;
  // The six orderings cover every order of three numbers, and a value that is
  // not a number makes one of the first three hold: here sig3 >= sig1 >= sig2.
  return sig3 - sig2;
}

double SpanPickWithZero(double sig1, double sig2) {
  if (AllNumbers(sig1, sig2, 0)) {
    return std::max(std::max(sig1, sig2), 0.0) - std::min(std::min(sig1, sig2), 0.0) + 0.0;
  }
  if (NotBelow(sig1, sig2) && NotBelow(sig2, 0)) return std::fabs(sig1);
  if (sig2 >= sig1 && 0 >= sig2) return std::fabs(sig1);
  if (NotBelow(sig2, sig1) && NotBelow(sig1, 0)) return std::fabs(sig2);
  if (sig1 >= sig2 && 0 >= sig1) return std::fabs(sig2);
  if (NotBelow(sig1, 0) && 0 >= sig2) return sig1 - sig2;
  // Tests 1 to 5 hold for every other pair of numbers, and test 1 or 3 for a
  // pair with a value that is not a number: here sig2 > 0 > sig1.
  return sig2 - sig1;
}

}  // namespace vergleichsspannung
