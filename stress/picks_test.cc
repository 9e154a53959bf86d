#include "stress/picks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vergleichsspannung {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(MaxAbsPickTest, ReturnsTheLargestMagnitude) {
  EXPECT_EQ(MaxAbsPick(1, -3, 2), 3);
  EXPECT_EQ(MaxAbsPick(2, 1, -3), 3);
  EXPECT_EQ(MaxAbsPick(-5, 4), 5);
  EXPECT_EQ(MaxAbsPick(100, -100), 100);
  EXPECT_EQ(MaxAbsPick(0, 0, -0.0), 0);
}

TEST(MaxAbsPickTest, NotANumberWinsWhenItsTurnComes) {
  EXPECT_TRUE(std::isnan(MaxAbsPick(kNaN, 5, 7)));
  EXPECT_EQ(MaxAbsPick(7, kNaN, 5), 7);
  EXPECT_TRUE(std::isnan(MaxAbsPick(1, kNaN, 5)));
}

TEST(SpanPickTest, ReturnsLargestMinusSmallestInEveryOrdering) {
  const double orderings[][3] = {{3, 2, 1}, {3, 1, 2}, {2, 3, 1}, {1, 3, 2},
                                 {1, 2, 3}, {2, 1, 3}, {2, 2, 2}, {-1, 5, -1}};
  for (const auto& s : orderings) {
    const double expected =
        std::fmax(s[0], std::fmax(s[1], s[2])) - std::fmin(s[0], std::fmin(s[1], s[2]));
    EXPECT_EQ(SpanPick(s[0], s[1], s[2]), expected) << s[0] << " " << s[1] << " " << s[2];
  }
}

TEST(SpanPickWithZeroTest, TakesZeroAsThirdPrincipalStress) {
  const double pairs[][2] = {{200, 100},  {100, 200},  {-100, -200}, {-200, -100},
                             {100, -100}, {-100, 100}, {0, 0},       {0, -5}};
  for (const auto& s : pairs) {
    const double expected =
        std::fmax(0.0, std::fmax(s[0], s[1])) - std::fmin(0.0, std::fmin(s[0], s[1]));
    EXPECT_EQ(SpanPickWithZero(s[0], s[1]), expected) << s[0] << " " << s[1];
  }
}

}  // namespace

}  // namespace vergleichsspannung
