#include "picture/mohr_plot.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <vector>

#include "picture/svg_writer.h"
#include "stress/format.h"

namespace vergleichsspannung {

namespace {

constexpr double kLargestDrawn = 1e280;
constexpr double kSmallestDrawn = 1e-280;
// Principal stresses closer than this share of their magnitude differ only by
// the solver's rounding: they are one point.
constexpr double kRoundingShare = 1e-13;
constexpr double kLabelRow = 16;  // baseline to baseline
constexpr double kTick = 4;
constexpr double kTauAxisHighest = 50;  // clear of the title

// What the plot draws, in stresses and in units of the picture.
struct Scene {
  MohrFrame frame;
  std::array<double, 3> sorted;  // lowest, middle, highest principal stress
  bool point = false;            // hydrostatic: one point, no circles
  double axis_y = 0;             // the σ axis
  double tau_axis_x = 0;         // the τ axis: at σ = 0, or the left edge
  double tau_axis_top = 0;       // its ends, a little beyond the largest circle
  double tau_axis_bottom = 0;
};

// A label's extent, to keep two labels apart.
struct LabelBox {
  double left, right, top, bottom;
};

bool Overlap(const LabelBox& a, const LabelBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Returns the x that keeps a label of `width` centred at `x` within `page`.
double CentreWithin(double x, double width, const Box& page) {
  return std::clamp(x, page.left + width / 2, page.right - width / 2);
}

Scene SceneOf(const MohrPicture& picture, const Box& box) {
  Scene scene;
  for (int i = 0; i < 3; ++i) scene.sorted[i] = picture.principal[i].value;
  std::sort(scene.sorted.begin(), scene.sorted.end());
  const double largest = std::max(std::fabs(scene.sorted[0]), std::fabs(scene.sorted[2]));
  scene.point = scene.sorted[2] - scene.sorted[0] <= kRoundingShare * largest;
  if (scene.point) scene.sorted.fill(scene.sorted[0] / 2 + scene.sorted[2] / 2);
  scene.frame = FrameFor(scene.sorted[0], scene.sorted[2], box);
  scene.axis_y = scene.frame.Y(0);
  const bool zero_shown = scene.frame.sigma_lo <= 0 && scene.frame.sigma_hi >= 0;
  scene.tau_axis_x = zero_shown ? scene.frame.X(0) : box.left;
  // Room above the circles for the τmax label and a face point's label.
  const double radius = (scene.sorted[2] / 2 - scene.sorted[0] / 2) * scene.frame.UnitsPerStress();
  scene.tau_axis_top = std::max(scene.axis_y - radius - 48, kTauAxisHighest);
  scene.tau_axis_bottom = scene.axis_y + std::max(radius + 16, 40.0);
  return scene;
}

// Appends both axes with their ticks; returns the boxes of the τ labels, which
// stand where other labels may want to go.
std::vector<LabelBox> AppendAxes(std::string* svg, const Scene& scene) {
  const MohrFrame& frame = scene.frame;
  const Box& box = frame.box;
  const double x = scene.tau_axis_x;
  const double y = scene.axis_y;
  AppendLine(svg, box.left, y, box.right, y, "#000", "1");
  AppendLine(svg, x, scene.tau_axis_bottom, x, scene.tau_axis_top, "#000", "1");
  AppendOpenTag(svg, "path",
                {{"d", "M" + SvgNumber(box.right + 8) + " " + SvgNumber(y) + "l-9 -4v8z" + "M" +
                           SvgNumber(x) + " " + SvgNumber(scene.tau_axis_top - 8) + "l-4 9h8z"},
                 {"fill", "#000"}},
                true);
  AppendLabel(svg, box.right + 10, y + 5, "σ", "start", "#000", "axis-name");
  AppendLabel(svg, x + 8, scene.tau_axis_top - 2, "τ", "start", "#000", "axis-name");
  for (double sigma : TickValues(frame, frame.sigma_lo, frame.sigma_hi)) {
    const double tick_x = frame.X(sigma);
    AppendLine(svg, tick_x, y, tick_x, y + kTick, "#000", "1");
    AppendLabel(svg, tick_x, y + 17, TickLabel(frame, sigma), "middle", "#000", "sigma-tick");
  }
  const double per_stress = frame.UnitsPerStress();
  std::vector<LabelBox> taken;
  for (double tau : TickValues(frame, (y - scene.tau_axis_bottom) / per_stress,
                               (y - scene.tau_axis_top - 10) / per_stress)) {
    if (tau == 0) continue;  // the σ axis's 0 stands there
    const double tick_y = frame.Y(tau);
    AppendLine(svg, x - kTick, tick_y, x, tick_y, "#000", "1");
    const std::string label = TickLabel(frame, tau);
    AppendLabel(svg, x - 6, tick_y + 4, label, "end", "#000", "tau-tick");
    taken.push_back({x - 6 - TextWidth(label), x - 6, tick_y - 8, tick_y + 8});
  }
  return taken;
}

void AppendCircle(std::string* svg, const MohrFrame& frame, double lo, double hi,
                  const char* colour) {
  const double centre = lo / 2 + hi / 2;
  const double radius = (hi / 2 - lo / 2) * frame.UnitsPerStress();
  AppendOpenTag(svg, "circle",
                {{"class", "circle"},
                 {"cx", SvgNumber(frame.X(centre))},
                 {"cy", SvgNumber(frame.Y(0))},
                 {"r", SvgNumber(radius)},
                 {"fill", "none"},
                 {"stroke", colour},
                 {"stroke-width", "2"}},
                true);
}

// Appends the label of a mark at (px, py) on a circle about (cx, axis_y), set
// outwards from the centre so that it stays off its own circle; returns its box.
LabelBox AppendOutwardLabel(std::string* svg, double px, double py, double cx, double axis_y,
                            const std::string& text, const Box& page) {
  double ux = px - cx, uy = py - axis_y;
  const double length = std::sqrt(ux * ux + uy * uy);  // not hypot: rounded alike everywhere
  ux = length > 0 ? ux / length : 0.6;  // a circle of no size: above and to the right
  uy = length > 0 ? uy / length : -0.8;
  const double width = TextWidth(text);
  const char* anchor = ux > 0.3 ? "start" : ux < -0.3 ? "end" : "middle";
  const double left_share = ux > 0.3 ? 0 : ux < -0.3 ? 1 : 0.5;  // of the width left of x
  double x = px + 12 * ux;
  x = std::clamp(x, page.left + left_share * width, page.right - (1 - left_share) * width);
  const double baseline = py + 12 * uy + 4 + 6 * uy;
  AppendLabel(svg, x, baseline, text, anchor, kFacePointColour, "face-point");
  return {x - left_share * width, x + (1 - left_share) * width, baseline - 12, baseline + 4};
}

// The two faces of the element, (SigXX, TauXY) and (SigYY, -TauXY), joined
// by the diameter they span, as textbooks draw it. Returns their labels' boxes.
std::vector<LabelBox> AppendFacePoints(std::string* svg, const MohrPicture& picture,
                                       const Scene& scene, const Box& page) {
  const MohrFrame& frame = scene.frame;
  const double sx = picture.components[0].value;
  const double sy = picture.components[1].value;
  const double t = picture.components[2].value;
  AppendLine(svg, frame.X(sx), frame.Y(t), frame.X(sy), frame.Y(-t), kFacePointColour, "1.5",
             "6 3");
  const double cx = frame.X(sx / 2 + sy / 2);
  const struct {
    const char* name;
    double sigma, tau;
  } faces[] = {{"X", sx, t}, {"Y", sy, -t}};
  std::vector<LabelBox> boxes;
  for (const auto& face : faces) {
    const double px = frame.X(face.sigma), py = frame.Y(face.tau);
    AppendDot(svg, px, py, "4", kFacePointColour);
    const std::string text = std::string(face.name) + " (" + FormatStress(face.sigma) + ", " +
                             FormatStress(face.tau) + ")";
    boxes.push_back(AppendOutwardLabel(svg, px, py, cx, scene.axis_y, text, page));
  }
  return boxes;
}

// Marks the top of the largest circle; its label goes a row higher where a
// face point's or a τ tick's label stands in the way.
void AppendShearMark(std::string* svg, const Scene& scene, const std::vector<LabelBox>& taken,
                     const Box& page) {
  const MohrFrame& frame = scene.frame;
  const double largest_shear = scene.sorted[2] / 2 - scene.sorted[0] / 2;
  const double x = frame.X(scene.sorted[0] / 2 + scene.sorted[2] / 2);
  const double y = frame.Y(largest_shear);
  // A ring, so that a face point at the top stays visible inside it.
  AppendOpenTag(svg, "circle",
                {{"cx", SvgNumber(x)},
                 {"cy", SvgNumber(y)},
                 {"r", "6.5"},
                 {"fill", "none"},
                 {"stroke", "#c0392b"},
                 {"stroke-width", "2"}},
                true);
  const std::string text = "τmax = " + FormatStress(largest_shear);
  const double width = TextWidth(text);
  const double centre = CentreWithin(x, width, page);
  double baseline = y - 9;
  // Each move goes above the label in the way, so this ends within one pass per label.
  for (bool moved = true; moved;) {
    moved = false;
    for (const LabelBox& other : taken) {
      const LabelBox mine = {centre - width / 2, centre + width / 2, baseline - 12, baseline + 4};
      if (Overlap(mine, other)) {
        baseline = other.top - 6;
        moved = true;
      }
    }
  }
  AppendLabel(svg, centre, baseline, text, "middle", "#c0392b", "largest-shear");
}

}  // namespace

bool IsDrawable(const MohrPicture& picture) {
  double largest = 0;
  for (const MohrValue& value : picture.principal) {
    const double magnitude = std::fabs(value.value);
    if (!(magnitude <= kLargestDrawn)) return false;  // not-a-number too
    largest = std::max(largest, magnitude);
  }
  return largest == 0 || largest >= kSmallestDrawn;
}

namespace {

// One label under the σ axis: the principal stresses that print the same digits.
struct PrincipalLabel {
  double x = 0;  // where the stresses lie
  std::string text;
};

std::vector<PrincipalLabel> PrincipalLabels(const MohrPicture& picture, const MohrFrame& frame) {
  std::array<const MohrValue*, 3> order = {&picture.principal[0], &picture.principal[1],
                                           &picture.principal[2]};
  std::stable_sort(order.begin(), order.end(),
                   [](const MohrValue* a, const MohrValue* b) { return a->value < b->value; });
  std::vector<PrincipalLabel> labels;
  std::string last_digits;
  for (const MohrValue* value : order) {
    const std::string digits = FormatStress(value->value);
    if (!labels.empty() && digits == last_digits) {
      labels.back().text.insert(labels.back().text.size() - digits.size() - 3, " = " + value->name);
      continue;
    }
    labels.push_back({frame.X(value->value), value->name + " = " + digits});
    last_digits = digits;
  }
  return labels;
}

// Sets each label in the first of three rows below `top` where it overlaps no
// other, joined to its place on the σ axis by a dashed leader.
void AppendPrincipalLabels(std::string* svg, const MohrPicture& picture, const Scene& scene,
                           double top, const Box& page) {
  constexpr int kRows = 3;
  constexpr double kGap = 10;
  std::array<double, kRows> row_end;  // right end of the last label in each row
  row_end.fill(page.left - kGap);
  for (const PrincipalLabel& label : PrincipalLabels(picture, scene.frame)) {
    const double width = TextWidth(label.text);
    const double x = CentreWithin(label.x, width, page);
    int row = 0;
    while (row < kRows - 1 && x - width / 2 < row_end[row] + kGap) ++row;
    row_end[row] = x + width / 2;
    const double baseline = top + kLabelRow * (row + 1);
    AppendLine(svg, label.x, scene.axis_y, x, baseline - 12, "#777", "0.8", "2 2");
    AppendDot(svg, label.x, scene.axis_y, "3.5", "#000");
    AppendLabel(svg, x, baseline, label.text, "middle", "#000", "principal");
  }
}

// Says why there is no circle: what the report prints as three equal
// principal stresses is drawn as the point they are.
void AppendPointNote(std::string* svg, const Scene& scene) {
  const Box& box = scene.frame.box;
  const double x = (box.left + box.right) / 2;
  AppendLabel(svg, x, scene.tau_axis_top - 40, "The three principal stresses are equal:", "middle",
              kLargestCircleColour, "note");
  AppendLabel(svg, x, scene.tau_axis_top - 24, "Mohr’s circles shrink to one point.", "middle",
              kLargestCircleColour, "note");
}

}  // namespace

void AppendMohrPlot(std::string* svg, const MohrPicture& picture, const Box& box, const Box& page) {
  assert(IsDrawable(picture));
  const Scene scene = SceneOf(picture, box);
  const MohrFrame& frame = scene.frame;
  const double lo = scene.sorted[0], mid = scene.sorted[1], hi = scene.sorted[2];
  // Labels carry a white halo so that they stay readable over lines.
  AppendOpenTag(svg, "g",
                {{"stroke", "#fff"},
                 {"stroke-width", "3"},
                 {"stroke-linejoin", "round"},
                 {"paint-order", "stroke"}});
  std::vector<LabelBox> taken = AppendAxes(svg, scene);
  AppendCloseTag(svg, "g");
  // Leaders and marks first, so the circles pass over them where they meet.
  // Below the τ axis, and below a face point's label at the foot of the circle.
  const double below = std::max(scene.tau_axis_bottom, frame.Y(lo / 2 - hi / 2) + 28);
  AppendOpenTag(svg, "g",
                {{"stroke", "#fff"},
                 {"stroke-width", "3"},
                 {"stroke-linejoin", "round"},
                 {"paint-order", "stroke"}});
  AppendPrincipalLabels(svg, picture, scene, below, page);
  AppendCloseTag(svg, "g");
  if (scene.point) {
    AppendDot(svg, frame.X(lo), scene.axis_y, "5", kLargestCircleColour);
    AppendPointNote(svg, scene);
    return;
  }
  AppendCircle(svg, frame, mid, hi, kUpperCircleColour);
  AppendCircle(svg, frame, lo, mid, kLowerCircleColour);
  AppendCircle(svg, frame, lo, hi, kLargestCircleColour);
  AppendOpenTag(svg, "g",
                {{"stroke", "#fff"},
                 {"stroke-width", "3"},
                 {"stroke-linejoin", "round"},
                 {"paint-order", "stroke"}});
  if (IsInPlane(picture.state)) {
    const std::vector<LabelBox> faces = AppendFacePoints(svg, picture, scene, page);
    taken.insert(taken.end(), faces.begin(), faces.end());
  }
  AppendShearMark(svg, scene, taken, page);
  AppendCloseTag(svg, "g");
}

}  // namespace vergleichsspannung
