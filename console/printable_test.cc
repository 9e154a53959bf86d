#include "console/printable.h"

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "console/refusal.h"

namespace vergleichsspannung {

namespace {

TEST(PrintableTest, EscapesWhatATerminalWouldActOnOrHide) {
  const struct {
    const char* why;
    std::string text;
    const char* shown;
  } cases[] = {
      {"plain, umlaut, typographic minus, CJK, emoji",
       "-8O \xc3\xa4\xe2\x88\x92\xe4\xb8\xad\xf0\x9f\x98\x80",
       "-8O \xc3\xa4\xe2\x88\x92\xe4\xb8\xad\xf0\x9f\x98\x80"},
      {"quote and backslash", "a\"b\\c", "a\\\"b\\\\c"},
      {"C0 controls, NUL, DEL", std::string("\x1b[2J\0\t\n\x7f", 8),
       "\\x1b[2J\\x00\\x09\\x0a\\x7f"},
      {"raw C1 bytes",
       "\x9b"
       "2J\x85",
       "\\x9b2J\\x85"},
      {"C1 controls in UTF-8: CSI, OSC ... ST, NEL",
       "\xc2\x9b"
       "2J\xc2\x9d"
       "0;x\xc2\x9c\xc2\x85",
       "\\u{009B}2J\\u{009D}0;x\\u{009C}\\u{0085}"},
      {"line and paragraph separators",
       "1\xe2\x80\xa8"
       "2\xe2\x80\xa9",
       "1\\u{2028}2\\u{2029}"},
      {"bidirectional overrides and isolates",
       "\xe2\x80\xae"
       "08\xe2\x81\xa6"
       "1\xe2\x81\xa9",
       "\\u{202E}08\\u{2066}1\\u{2069}"},
      {"deprecated format characters", "\xe2\x81\xaa\xe2\x81\xaf", "\\u{206A}\\u{206F}"},
      {"soft hyphen, zero width, marks, BOM, word joiner, Arabic letter mark, tag",
       "1\xc2\xad\xe2\x80\x8b\xe2\x80\x8f\xef\xbb\xbf\xe2\x81\xa0\xd8\x9c\xf3\xa0\x80\x81",
       "1\\u{00AD}\\u{200B}\\u{200F}\\u{FEFF}\\u{2060}\\u{061C}\\u{E0001}"},
      {"noncharacters", "\xef\xbf\xbe\xf4\x8f\xbf\xbf", "\\u{FFFE}\\u{10FFFF}"},
      {"overlong forms", "\xe0\x80\x9b\xc0\xaf\xf0\x8f\xbf\xbf",
       "\\xe0\\x80\\x9b\\xc0\\xaf\\xf0\\x8f\\xbf\\xbf"},
      {"surrogate", "\xed\xa0\x80", "\\xed\\xa0\\x80"},
      {"beyond U+10FFFF", "\xf4\x90\x80\x80\xf5\x80", "\\xf4\\x90\\x80\\x80\\xf5\\x80"},
      {"truncated before a character and at the end",
       "\xe2\x82"
       "1\xf0\x9f\x98",
       "\\xe2\\x821\\xf0\\x9f\\x98"},
      {"the last characters before and after the escaped ranges",
       "\xc2\xa0\xe2\x80\x8a\xe2\x80\xaf\xef\xbf\xbd\xf0\x90\x80\x80",
       "\xc2\xa0\xe2\x80\x8a\xe2\x80\xaf\xef\xbf\xbd\xf0\x90\x80\x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(Printable(c.text), c.shown) << c.why;
}

TEST(LeftOverTextTest, ShowsTheWordsEscapedAndBounded) {
  EXPECT_EQ(LeftOverText("10 \xe2\x80\xae", "TauXY"),
            "\"10 \\u{202E}\" left over after TauXY, not taken");
  // A character that the bound would cut goes whole to what is not shown.
  const std::string words = std::string(kMaxWordLength - 1, '7') + "\xc3\xa4" + "8";
  EXPECT_EQ(LeftOverText(words, "SigXX"), "\"" + std::string(kMaxWordLength - 1, '7') +
                                              "\" and more left over after SigXX, not taken");
  const std::string fits(kMaxWordLength, '7');
  EXPECT_EQ(LeftOverText(fits, "SigXX"), "\"" + fits + "\" left over after SigXX, not taken");
}

}  // namespace

}  // namespace vergleichsspannung
