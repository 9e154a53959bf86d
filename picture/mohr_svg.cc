#include <cmath>
#include <string>

#include "picture/mohr_frame.h"
#include "picture/mohr_picture.h"
#include "picture/mohr_plot.h"
#include "picture/svg_writer.h"
#include "stress/format.h"

namespace vergleichsspannung {

namespace {

// The picture: 800 x 600 units, the plot on the left, the values on the right.
constexpr double kWidth = 800;
constexpr double kHeight = 600;
constexpr Box kPlotBox = {76, 580, 84, 528};
constexpr Box kPlotPage = {6, 598, 0, kHeight};
constexpr double kPanelLeft = 612;
constexpr double kPanelLine = 18;

void AppendPanelLine(std::string* svg, double* y, const std::string& text, bool heading = false) {
  if (heading) {
    AppendTextElement(svg, "text",
                      {{"x", SvgNumber(kPanelLeft)}, {"y", SvgNumber(*y)}, {"font-weight", "bold"}},
                      text);
  } else {
    AppendTextElement(svg, "text", {{"x", SvgNumber(kPanelLeft + 8)}, {"y", SvgNumber(*y)}}, text);
  }
  *y += kPanelLine;
}

// The numbers beside the plot, with the digits the report prints.
void AppendPanel(std::string* svg, const MohrPicture& picture) {
  double y = 96;
  AppendPanelLine(svg, &y, "Components", true);
  for (const MohrValue& component : picture.components) {
    AppendPanelLine(svg, &y, component.name + " = " + FormatStress(component.value));
  }
  y += kPanelLine / 2;
  AppendPanelLine(svg, &y, "Principal stresses", true);
  for (const MohrValue& principal : picture.principal) {
    const bool normal = IsInPlane(picture.state) && &principal == &picture.principal[2];
    AppendPanelLine(svg, &y, principal.name + " = " + FormatStress(principal.value));
    if (normal) AppendPanelLine(svg, &y, "(normal to the plane)");
  }
  if (!picture.equivalent.empty()) {
    y += kPanelLine / 2;
    AppendPanelLine(svg, &y, "Equivalent stress SigV", true);
    for (const MohrValue& equivalent : picture.equivalent) {
      AppendPanelLine(svg, &y, equivalent.name + ": " + FormatStress(equivalent.value));
    }
  }
  y += kPanelLine / 2;
  AppendPanelLine(svg, &y, "σ, τ in N/mm²");
}

void AppendNotDrawable(std::string* svg) {
  const double x = (kPlotBox.left + kPlotBox.right) / 2;
  const double y = (kPlotBox.top + kPlotBox.bottom) / 2;
  AppendTextElement(
      svg, "text",
      {{"class", "note"}, {"x", SvgNumber(x)}, {"y", SvgNumber(y)}, {"text-anchor", "middle"}},
      "No circles: the principal stresses are not finite numbers");
  AppendTextElement(
      svg, "text",
      {{"class", "note"}, {"x", SvgNumber(x)}, {"y", SvgNumber(y + 18)}, {"text-anchor", "middle"}},
      "or lie beyond 1e-280 to 1e280 N/mm².");
}

}  // namespace

std::string MohrSvg(const MohrPicture& picture) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  AppendOpenTag(&svg, "svg",
                {{"xmlns", "http://www.w3.org/2000/svg"},
                 {"width", SvgNumber(kWidth)},
                 {"height", SvgNumber(kHeight)},
                 {"viewBox", "0 0 " + SvgNumber(kWidth) + " " + SvgNumber(kHeight)},
                 {"font-family", "DejaVu Sans, Verdana, Arial, sans-serif"},
                 {"font-size", "12"}});
  svg += '\n';
  const std::string title = "Mohr’s circles of the " + picture.state_name;
  AppendTextElement(&svg, "title", {}, title);
  AppendOpenTag(&svg, "rect",
                {{"width", SvgNumber(kWidth)}, {"height", SvgNumber(kHeight)}, {"fill", "#fff"}},
                true);
  AppendTextElement(&svg, "text",
                    {{"x", "16"}, {"y", "32"}, {"font-size", "18"}, {"font-weight", "bold"}},
                    title);
  AppendPanel(&svg, picture);
  if (IsDrawable(picture)) {
    AppendMohrPlot(&svg, picture, kPlotBox, kPlotPage);
  } else {
    AppendNotDrawable(&svg);
  }
  AppendCloseTag(&svg, "svg");
  return svg;
}

}  // namespace vergleichsspannung
