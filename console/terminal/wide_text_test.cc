#include "console/terminal/wide_text.h"

#include <gtest/gtest.h>

#include <string>

#include "console/number_word.h"
#include "console/terminal/input.h"

namespace vergleichsspannung {

namespace {

TEST(WideTextTest, ConvertsEveryKindOfCharacterBothWays) {
  const struct {
    std::u16string units;
    std::string text;
  } pairs[] = {
      {u"-80 1,5e3", "-80 1,5e3"},
      {u"\u00e4", u8"\u00e4"},              // ä
      {u"\u221280", u8"\u221280"},          // the typographic minus
      {u"\uff11\uff12", u8"\uff11\uff12"},  // full-width 1 and 2
      {u"\U0001d7ce", "\xf0\x9d\x9f\x8e"},  // a surrogate pair
      {std::u16string(1, u'\0') + u"\x1a", std::string(1, '\0') + "\x1a"},
  };
  for (const auto& pair : pairs) {
    EXPECT_EQ(Utf8FromUtf16(pair.units), pair.text) << pair.text;
    EXPECT_EQ(Utf16FromUtf8(pair.text), pair.units) << pair.text;
  }
}

TEST(WideTextTest, ReplacesWhatIsMalformed) {
  const std::string r = "\xef\xbf\xbd";  // U+FFFD in UTF-8
  EXPECT_EQ(Utf8FromUtf16(u"z\xd800z\xdc00"), "z" + r + "z" + r);
  EXPECT_EQ(Utf8FromUtf16(u"\xdc00\xd800"), r + r);
  EXPECT_EQ(Utf8FromUtf16(std::u16string_view(u"z\xd800\xdc00", 2)), "z" + r);  // nothing read past
  const struct {
    const char* text;
    const char16_t* units;
  } malformed[] = {
      {"\xffz", u"\xfffdz"},
      {"\x80\xbf", u"\xfffd\xfffd"},
      {"\xc0\xaf", u"\xfffd\xfffd"},                      // an overlong /
      {"\xe0\x80\xaf", u"\xfffd\xfffd\xfffd"},            // another
      {"\xed\xa0\x80", u"\xfffd\xfffd\xfffd"},            // a surrogate's form
      {"\xf4\x90\x80\x80", u"\xfffd\xfffd\xfffd\xfffd"},  // beyond U+10FFFF
      {"\xe2\x88z", u"\xfffdz"},                          // cut short: one mark
      {"\xf0\x9d\x9f", u"\xfffd"},
  };
  for (const auto& m : malformed) EXPECT_EQ(Utf16FromUtf8(m.text), m.units) << m.text;
}

TEST(WideTextTest, ReadsATypedLineAsAReplyTheEndOrTooLong) {
  std::string line = "stale";
  EXPECT_EQ(ReadConsoleLine(u"\u221280 \u00e4\r\n", false, &line), ConsoleLineKind::kReply);
  EXPECT_EQ(line, u8"\u221280 \u00e4\n");
  // What a code page would turn into "-80" and "80" stays a word no number reads.
  double stress = 7;
  for (const char16_t* typed : {u"\u221280\r\n", u"\uff18\uff10\r\n", u"\u208b80\r\n"}) {
    ASSERT_EQ(ReadConsoleLine(typed, false, &line), ConsoleLineKind::kReply);
    EXPECT_FALSE(ParseStressValue(line.substr(0, line.size() - 1), &stress)) << line;
  }
  EXPECT_EQ(ReadConsoleLine(u"\r\n", false, &line), ConsoleLineKind::kReply);
  EXPECT_EQ(line, "\n");
  // Ctrl-Z ends the input at the start of a line only.
  EXPECT_EQ(ReadConsoleLine(u"\x1a\r\n", false, &line), ConsoleLineKind::kEndOfInput);
  EXPECT_EQ(line, "");
  EXPECT_EQ(ReadConsoleLine(u"1\x1a\r\n", false, &line), ConsoleLineKind::kReply);
  EXPECT_EQ(line, "1\x1a\n");

  // The bound counts characters: a surrogate pair is one.
  const std::u16string longest(kMaxReplyLength, u'9');
  EXPECT_EQ(ReadConsoleLine(longest + u"\r\n", false, &line), ConsoleLineKind::kReply);
  EXPECT_EQ(line.size(), kMaxReplyLength + 1);
  EXPECT_EQ(ReadConsoleLine(longest + u"9\r\n", false, &line), ConsoleLineKind::kTooLong);
  EXPECT_EQ(line, "");
  std::u16string pairs;
  for (std::size_t i = 0; i < kMaxReplyLength; ++i) pairs += u"\U0001d7ce";
  pairs += u"\r\n";
  ASSERT_EQ(pairs.size(), ConsoleLineUnitsKept());
  EXPECT_EQ(ReadConsoleLine(pairs, false, &line), ConsoleLineKind::kReply);
  EXPECT_EQ(ReadConsoleLine(pairs, true, &line), ConsoleLineKind::kTooLong);
}

}  // namespace

}  // namespace vergleichsspannung
