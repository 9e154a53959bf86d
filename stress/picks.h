// Picks the equivalent stress of the normal-stress (NH) and the shear-stress
// (SH) hypothesis from principal stresses, comparing in a fixed order so that
// ties and not-a-number values always give the same answer.
#ifndef VERGLEICHSSPANNUNG_STRESS_PICKS_H_
#define VERGLEICHSSPANNUNG_STRESS_PICKS_H_

namespace vergleichsspannung {

// Returns the largest absolute value of the candidates. Ties go to the earlier
// candidate; one that is not a number is never exceeded, so it wins when its
// turn comes.
double MaxAbsPick(double sig1, double sig2);
double MaxAbsPick(double sig1, double sig2, double sig3);

// Returns the largest minus the smallest of three principal stresses.
double SpanPick(double sig1, double sig2, double sig3);

// Returns the largest minus the smallest of two in-plane principal stresses
// and the zero stress normal to the plane.
double SpanPickWithZero(double sig1, double sig2);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_STRESS_PICKS_H_
