#include "picture/svg_writer.h"

#include <cassert>
#include <charconv>
#include <cmath>

namespace vergleichsspannung {

std::string XmlEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string SvgNumber(double value) {
  assert(std::isfinite(value));
  // Rounding to hundredths first makes -0.004 a plain 0 and keeps the
  // fixed-point text short.
  double rounded = std::round(value * 100) / 100;
  if (rounded == 0) rounded = 0;  // no "-0"
  char text[64];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 2);
  assert(written.ec == std::errc());
  std::string_view digits(text, static_cast<std::size_t>(written.ptr - text));
  while (digits.back() == '0') digits.remove_suffix(1);
  if (digits.back() == '.') digits.remove_suffix(1);
  return std::string(digits);
}

void AppendOpenTag(std::string* svg, std::string_view name,
                   std::initializer_list<SvgAttribute> attributes, bool self_closing) {
  *svg += '<';
  *svg += name;
  for (const SvgAttribute& attribute : attributes) {
    if (attribute.name.empty()) continue;
    *svg += ' ';
    *svg += attribute.name;
    *svg += "=\"";
    *svg += XmlEscaped(attribute.value);
    *svg += '"';
  }
  *svg += self_closing ? "/>\n" : ">";
}

void AppendCloseTag(std::string* svg, std::string_view name) {
  *svg += "</";
  *svg += name;
  *svg += ">\n";
}

void AppendTextElement(std::string* svg, std::string_view name,
                       std::initializer_list<SvgAttribute> attributes, std::string_view text) {
  AppendOpenTag(svg, name, attributes);
  *svg += XmlEscaped(text);
  AppendCloseTag(svg, name);
}

void AppendLine(std::string* svg, double x1, double y1, double x2, double y2, const char* stroke,
                const char* width, const char* dash) {
  AppendOpenTag(svg, "line",
                {{"x1", SvgNumber(x1)},
                 {"y1", SvgNumber(y1)},
                 {"x2", SvgNumber(x2)},
                 {"y2", SvgNumber(y2)},
                 {"stroke", stroke},
                 {"stroke-width", width},
                 {dash != nullptr ? "stroke-dasharray" : "", dash != nullptr ? dash : ""}},
                true);
}

void AppendDot(std::string* svg, double x, double y, const char* radius, const char* fill) {
  AppendOpenTag(svg, "circle",
                {{"cx", SvgNumber(x)},
                 {"cy", SvgNumber(y)},
                 {"r", radius},
                 {"fill", fill},
                 {"stroke", "none"}},
                true);
}

void AppendLabel(std::string* svg, double x, double y, const std::string& text, const char* anchor,
                 const char* fill, const char* kind) {
  AppendTextElement(svg, "text",
                    {{"class", kind},
                     {"x", SvgNumber(x)},
                     {"y", SvgNumber(y)},
                     {"text-anchor", anchor},
                     {"fill", fill}},
                    text);
}

}  // namespace vergleichsspannung
