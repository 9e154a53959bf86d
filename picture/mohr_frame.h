// Where stresses land on the picture: one scale for σ and τ (a circle stays a
// circle), and round-numbered ticks whose labels fit between them.
#ifndef VERGLEICHSSPANNUNG_PICTURE_MOHR_FRAME_H_
#define VERGLEICHSSPANNUNG_PICTURE_MOHR_FRAME_H_

#include <string>
#include <vector>

namespace vergleichsspannung {

// A rectangle of the picture in SVG units (y grows downwards).
struct Box {
  double left = 0;
  double right = 0;
  double top = 0;
  double bottom = 0;
};

// The σ-τ plane mapped into a box: σ from sigma_lo at the left edge to
// sigma_hi at the right, τ = 0 at mid-height, τ upwards, the same number of
// units per N/mm² both ways.
struct MohrFrame {
  Box box;
  double sigma_lo = -1;
  double sigma_hi = 1;
  double tick_step = 1;   // round: 1, 2 or 5 times a power of ten
  int tick_exponent = 0;  // tick_step = tick_mantissa * 10^tick_exponent
  int tick_mantissa = 1;

  // Returns the x of the stress `sigma`.
  double X(double sigma) const;
  // Returns the y of the shear stress `tau`.
  double Y(double tau) const;
  // Returns the τ at the top edge; -TauTop() is at the bottom edge.
  double TauTop() const;
  // Returns the units one N/mm² takes on the picture.
  double UnitsPerStress() const;
};

// Returns the frame in `box` that shows Mohr's circles of principal stresses
// from `lowest` to `highest`: the whole largest circle, centred, and σ = 0
// too unless that would shrink the circles to less than half the width. A
// single point (lowest == highest) is shown with 0 beside it.
// REQUIRES: lowest <= highest, both finite, magnitudes at most 1e280.
MohrFrame FrameFor(double lowest, double highest, const Box& box);

// Returns the multiples of the tick step from `lo` to `hi`, each computed from
// its own whole multiple, so that none carries the rounding of a sum.
std::vector<double> TickValues(const MohrFrame& frame, double lo, double hi);

// Returns the label of a tick `value` of the frame: plain decimals with as many
// places as the step needs, or "%g"-style exponents for large and small
// magnitudes, always with enough digits to tell neighbouring ticks apart.
std::string TickLabel(const MohrFrame& frame, double value);

// Returns an estimate of the width of `text` in units at the picture's 12-unit
// font: digits and most letters are about 0.64 em wide.
double TextWidth(const std::string& text, double font_size = 12);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_PICTURE_MOHR_FRAME_H_
