// The arc cosine, cosine and sine of the spatial solver, computed from IEEE
// double addition, subtraction, multiplication, division and square root
// alone, each correctly rounded on every machine, in a fixed order. So they
// return the same bits on every machine whatever its maths library, and the
// principal stresses print the same digits everywhere.
#ifndef VERGLEICHSSPANNUNG_STRESS_ELEMENTARY_H_
#define VERGLEICHSSPANNUNG_STRESS_ELEMENTARY_H_

namespace vergleichsspannung {

// Returns acos(x) in [0, pi], within one unit in the last place of the
// correctly rounded value for every x in [-1, 1]; not-a-number for any other x.
double ArcCosine(double x);

// The angles CosineAndSine takes: from 0 to a little beyond pi/3, the largest
// third of an arc cosine.
constexpr double kLargestAngle = 1.078125;

struct CosineSine {
  double cosine = 1;
  double sine = 0;
};

// Returns cos(angle) and sin(angle), each within one unit in the last place of
// the correctly rounded value.
// REQUIRES: 0 <= angle < kLargestAngle (not-a-number gives not-a-number).
CosineSine CosineAndSine(double angle);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_ELEMENTARY_H_
