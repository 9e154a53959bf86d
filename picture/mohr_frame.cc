#include "picture/mohr_frame.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>

namespace vergleichsspannung {

namespace {

// Room kept free on each side of the circles, as a share of their width.
constexpr double kMargin = 0.06;
// The fewest units between two ticks, and the gap kept between their labels.
constexpr double kLeastTickSpacing = 40;
constexpr double kLabelGap = 14;
// Powers of ten up to here are exact doubles, so a tick value is made by one
// division or one multiplication.
constexpr int kLargestExactPowerOfTen = 22;

// Returns 10^n, exact for 0 <= n <= 22, by multiplications alone: the
// library's pow and log10 may round differently from one system to the next,
// and the picture must be the same bytes everywhere.
double PowerOfTen(int n) {
  double power = 1;
  for (int i = 0; i < (n < 0 ? -n : n); ++i) power *= 10;
  return n < 0 ? 1 / power : power;
}

// Returns the e with 10^e <= x < 10^(e + 1), PowerOfTen's powers compared.
// REQUIRES: x is positive and finite.
int DecimalExponent(double x) {
  int binary;
  std::frexp(x, &binary);
  int e =
      static_cast<int>(std::floor((binary - 1) * 0.30103));  // a first guess, off by one at most
  while (PowerOfTen(e) > x) --e;
  while (PowerOfTen(e + 1) <= x) ++e;
  return e;
}

// Returns whole multiple `k` of the frame's step, rounded once.
double Multiple(const MohrFrame& frame, double k) {
  const double m = k * frame.tick_mantissa;
  const int e = frame.tick_exponent;
  if (e < 0 && -e <= kLargestExactPowerOfTen) return m / PowerOfTen(-e);
  return m * PowerOfTen(e);
}

// Returns the widest label of the ticks the frame has along its σ edge.
double WidestSigmaLabel(const MohrFrame& frame) {
  double widest = 0;
  for (double value : TickValues(frame, frame.sigma_lo, frame.sigma_hi)) {
    widest = std::max(widest, TextWidth(TickLabel(frame, value)));
  }
  return widest;
}

// Sets the smallest round step whose ticks lie far enough apart for labels.
void ChooseTickStep(MohrFrame* frame) {
  const double per_stress = frame->UnitsPerStress();
  int exponent = DecimalExponent(kLeastTickSpacing / per_stress) - 1;
  for (;; ++exponent) {
    for (int mantissa : {1, 2, 5}) {
      frame->tick_mantissa = mantissa;
      frame->tick_exponent = exponent;
      frame->tick_step = Multiple(*frame, 1);
      const double spacing = frame->tick_step * per_stress;
      if (spacing >= kLeastTickSpacing && spacing >= WidestSigmaLabel(*frame) + kLabelGap) return;
    }
  }
}

}  // namespace

double MohrFrame::X(double sigma) const {
  return box.left + (sigma - sigma_lo) / (sigma_hi - sigma_lo) * (box.right - box.left);
}

double MohrFrame::Y(double tau) const {
  return (box.top + box.bottom) / 2 - tau / (sigma_hi - sigma_lo) * (box.right - box.left);
}

double MohrFrame::TauTop() const { return (box.bottom - box.top) / 2 / UnitsPerStress(); }

double MohrFrame::UnitsPerStress() const { return (box.right - box.left) / (sigma_hi - sigma_lo); }

MohrFrame FrameFor(double lowest, double highest, const Box& box) {
  assert(lowest <= highest);
  double lo = std::min(lowest, 0.0);
  double hi = std::max(highest, 0.0);
  const double span = highest - lowest;
  if (span > 0 && (lowest > span || highest < -span)) {
    // σ = 0 lies far off: show the circles on their own.
    lo = lowest;
    hi = highest;
  }
  if (span == 0) {
    // One point: σ = 0 beside it and room on both sides, one N/mm² for zero.
    const double room = hi == lo ? 1 : (hi - lo) / 2;
    lo -= room;
    hi += room;
  }
  const double width = box.right - box.left;
  const double height = box.bottom - box.top;
  // Units per N/mm², taken from the shares so that a tiny span cannot overflow.
  const double by_width = width / (hi - lo) / (1 + 2 * kMargin);
  const double by_height = span > 0 ? height / span / (1 + 2 * kMargin) : by_width;
  const double per_stress = std::min(by_width, by_height);
  const double middle = lo / 2 + hi / 2;
  MohrFrame frame;
  frame.box = box;
  frame.sigma_lo = middle - width / 2 / per_stress;
  frame.sigma_hi = middle + width / 2 / per_stress;
  ChooseTickStep(&frame);
  return frame;
}

std::vector<double> TickValues(const MohrFrame& frame, double lo, double hi) {
  std::vector<double> values;
  const double first = std::ceil(lo / frame.tick_step);
  const double last = std::floor(hi / frame.tick_step);
  // At most a few dozen ticks fit the box, so the count is small whatever first is.
  const auto count = static_cast<long long>(last - first);
  for (long long i = 0; i <= count; ++i) {
    const double value = Multiple(frame, first + static_cast<double>(i));
    if (value >= lo && value <= hi) values.push_back(value);
  }
  return values;
}

std::string TickLabel(const MohrFrame& frame, double value) {
  if (value == 0) return "0";
  char text[64];
  std::to_chars_result written;
  const double largest = std::max(std::fabs(frame.sigma_lo), std::fabs(frame.sigma_hi));
  if (largest < 1e6 && frame.tick_exponent >= -4) {
    written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                            std::max(0, -frame.tick_exponent));
  } else {
    // One digit more than the step strictly needs: %g drops it again, as it
    // is a zero for every multiple of the step.
    const int digits = DecimalExponent(largest) - frame.tick_exponent + 2;
    written = std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                            std::clamp(digits, 1, 17));
  }
  assert(written.ec == std::errc());
  return std::string(text, written.ptr);
}

double TextWidth(const std::string& text, double font_size) {
  // UTF-8 continuation bytes add no width of their own.
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  return static_cast<double>(characters) * 0.64 * font_size;
}

}  // namespace vergleichsspannung
