// A small writer of SVG text: elements, attributes and character data, with
// XML escaping and numbers that read the same on every machine.
#ifndef VERGLEICHSSPANNUNG_PICTURE_SVG_WRITER_H_
#define VERGLEICHSSPANNUNG_PICTURE_SVG_WRITER_H_

#include <initializer_list>
#include <string>
#include <string_view>

namespace vergleichsspannung {

// One attribute of an element; `value` is the unescaped text.
struct SvgAttribute {
  std::string_view name;
  std::string value;
};

// Returns `text` with &, <, > and " written as XML entities, so that it stands
// as character data or as an attribute value in double quotes.
std::string XmlEscaped(std::string_view text);

// Returns a drawing coordinate or length rounded to 1/100 of a unit, written
// with std::to_chars (never the locale): no exponent, no trailing zeros, no
// "-0". A hundredth of a pixel is below what any renderer shows.
// REQUIRES: `value` is finite.
std::string SvgNumber(double value);

// Appends <name attributes...> to *svg, or <name attributes.../> when
// `self_closing` is true. An attribute without a name is left out: an
// optional attribute that is not given.
void AppendOpenTag(std::string* svg, std::string_view name,
                   std::initializer_list<SvgAttribute> attributes, bool self_closing = false);

// Appends </name> to *svg.
void AppendCloseTag(std::string* svg, std::string_view name);

// Appends one element holding the escaped character data `text`.
void AppendTextElement(std::string* svg, std::string_view name,
                       std::initializer_list<SvgAttribute> attributes, std::string_view text);

// Appends a line from (x1, y1) to (x2, y2), `width` wide in `stroke`, dashed
// as `dash` says ("6 3": six units drawn, three left out) unless it is null.
void AppendLine(std::string* svg, double x1, double y1, double x2, double y2, const char* stroke,
                const char* width, const char* dash = nullptr);

// Appends a disc of `radius` about (x, y) filled with `fill`, without outline.
void AppendDot(std::string* svg, double x, double y, const char* radius, const char* fill);

// Appends `text` at (x, y), aligned by `anchor` (start, middle or end) and
// filled with `fill`; the class `kind` names what it labels, for readers of
// the file and for tests that find the labels.
void AppendLabel(std::string* svg, double x, double y, const std::string& text, const char* anchor,
                 const char* fill, const char* kind);

}  // namespace vergleichsspannung

#endif  // VERGLEICHSSPANNUNG_PICTURE_SVG_WRITER_H_
