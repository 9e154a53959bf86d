#include "console/printable.h"

#include <cstdint>
#include <cstdio>
#include <iterator>

#include "console/utf8.h"

namespace vergleichsspannung {

namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// The characters beyond ASCII that are written as escapes, in order: C1
// controls (CSI, OSC, NEL, ...), and every character Unicode marks as a format
// character or default-ignorable: invisible, it would make the line show
// another word than the one read, and the bidirectional ones reorder the
// rest of the line. Line and paragraph separators end a line; noncharacters
// show as nothing defined.
constexpr Range kHidden[] = {
    {0x0080, 0x009f},    // C1 controls
    {0x00ad, 0x00ad},    // soft hyphen
    {0x034f, 0x034f},    // combining grapheme joiner
    {0x0600, 0x0605},    // Arabic number signs
    {0x061c, 0x061c},    // Arabic letter mark
    {0x06dd, 0x06dd},    // Arabic end of ayah
    {0x070f, 0x070f},    // Syriac abbreviation mark
    {0x0890, 0x0891},    // Arabic pound and piastre marks above
    {0x08e2, 0x08e2},    // Arabic disputed end of ayah
    {0x115f, 0x1160},    // Hangul fillers
    {0x17b4, 0x17b5},    // Khmer inherent vowels
    {0x180b, 0x180f},    // Mongolian variation selectors and vowel separator
    {0x200b, 0x200f},    // zero width space, joiners, left-to-right and right-to-left marks
    {0x2028, 0x202e},    // line and paragraph separators, bidirectional embeddings
    {0x2060, 0x206f},    // word joiner, invisible operators, bidirectional isolates
    {0x3164, 0x3164},    // Hangul filler
    {0xfdd0, 0xfdef},    // noncharacters
    {0xfe00, 0xfe0f},    // variation selectors
    {0xfeff, 0xfeff},    // zero width no-break space, byte order mark
    {0xffa0, 0xffa0},    // halfwidth Hangul filler
    {0xfff0, 0xfffb},    // interlinear annotation and unassigned specials
    {0x110bd, 0x110bd},  // Kaithi number sign
    {0x110cd, 0x110cd},  // Kaithi number sign above
    {0x13430, 0x1343f},  // Egyptian hieroglyph format controls
    {0x1bca0, 0x1bca3},  // shorthand format controls
    {0x1d173, 0x1d17a},  // musical symbol format controls
    {0xe0000, 0xe0fff},  // tags and variation selectors supplement
};

}  // namespace

bool IsHidden(char32_t c) {
  if ((c & 0xfffe) == 0xfffe) return true;  // the last two code points of every plane
  for (const Range& range : kHidden) {
    if (c < range.first) return false;
    if (c <= range.last) return true;
  }
  return false;
}

namespace {

void AppendEscape(const char* format, unsigned value, std::string* out) {
  char escape[16];
  const int length = std::snprintf(escape, sizeof escape, format, value);
  out->append(escape, static_cast<std::size_t>(length));
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Character character = DecodeUtf8(text);
    const char32_t c = character.code;
    const std::size_t length = character.length;
    if (!character.well_formed || c < 0x20 || c == 0x7f) {
      AppendEscape("\\x%02x", static_cast<unsigned char>(text[0]), &out);
      text.remove_prefix(1);
      continue;
    }
    if (IsHidden(c)) {
      AppendEscape("\\u{%04X}", static_cast<unsigned>(c), &out);
    } else {
      if (c == '\\' || c == '"') out += '\\';
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
  return out;
}

}  // namespace vergleichsspannung
