#include "console/number_word.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vergleichsspannung {

namespace {

TEST(ParseWholeNumberTest, AcceptsSignedDigitsWithinInt) {
  const struct {
    const char* word;
    int number;
  } accepted[] = {{"3", 3},
                  {"+2", 2},
                  {"-1", -1},
                  {"007", 7},
                  {"2147483647", 2147483647},
                  {"-2147483648", -2147483647 - 1}};
  for (const auto& c : accepted) {
    int number = 99;
    EXPECT_TRUE(ParseWholeNumber(c.word, &number)) << c.word;
    EXPECT_EQ(number, c.number) << c.word;
  }
}

TEST(ParseWholeNumberTest, RefusesEverythingElse) {
  for (const char* word : {"", "x", "2.5", "3x", "+", "-", "1e1", "2147483648", "-2147483649",
                           "99999999999999999999999", "0x3", " 3"}) {
    int number = 99;
    EXPECT_FALSE(ParseWholeNumber(word, &number)) << word;
    EXPECT_EQ(number, 99) << word;
  }
  int number = 99;
  EXPECT_FALSE(ParseWholeNumber(std::string("3\0", 2), &number));
}

TEST(ParseStressValueTest, AcceptsDecimalNumbersWithPointOrComma) {
  const struct {
    const char* word;
    double value;
  } accepted[] = {{"500", 500},
                  {"-1.5e3", -1500},
                  {"+2", 2},
                  {".5", 0.5},
                  {"5.", 5},
                  {"1,5", 1.5},
                  {"-,25", -0.25},
                  {"2,5E-1", 0.25},
                  {"1e-999", 0},
                  {"0", 0},
                  {"1E+2", 100},
                  {"1.7976931348623157e308", 1.7976931348623157e308},
                  {"4.9e-324", 4.9e-324},
                  {"0,001e-322", 0},
                  {"-1e-400", 0},
                  {"12e307", 12e307}};
  for (const auto& c : accepted) {
    double value = 99;
    EXPECT_TRUE(ParseStressValue(c.word, &value)) << c.word;
    EXPECT_EQ(value, c.value) << c.word;
    // A number too small for a double keeps its sign: "-1e-400" prints as -0.
    EXPECT_EQ(std::signbit(value), c.word[0] == '-') << c.word;
  }
}

TEST(ParseStressValueTest, RefusesWhatIsNotAFiniteDecimalNumber) {
  for (const char* word :
       {"",      "nan",   "NaN", "inf",  "-Infinity", "1e999",    "-2e308", "0x10", "1,5,0",
        "1.5.0", "1,5.0", "e5",  ".",    ",",         "+",        "1e",     "1e+",  "3x",
        "x3",    "1 2",   "--1", "1..5", "+-1",       "1000e306", "0,1e310"}) {
    double value = 99;
    EXPECT_FALSE(ParseStressValue(word, &value)) << word;
    EXPECT_EQ(value, 99) << word;
  }
  double value = 99;
  EXPECT_FALSE(ParseStressValue(std::string("1\0002", 3), &value));
  EXPECT_EQ(value, 99);
}

}  // namespace

}  // namespace vergleichsspannung
