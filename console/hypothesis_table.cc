#include "console/hypothesis_table.h"

#include <cassert>
#include <iterator>

namespace vergleichsspannung {

namespace {

constexpr HypothesisRow kRows[] = {
    {Hypothesis::GEH, "\nGEH= 1", "\nGEH", ",GEH:\n", false},
    {Hypothesis::NH, "\nNH = 2", "\nNH", ",NH:\n", true},
    {Hypothesis::SH, "\nSH = 3", "\nSH", ",SH:\n", true},
};

constexpr int kRowCount = static_cast<int>(std::size(kRows));
static_assert(kRowCount == kLastHypothesis - kFirstHypothesis + 1, "one row per hypothesis");

// Returns true when row i holds hypothesis kFirstHypothesis + i, so that
// HypothesisRowOf finds a row by counting.
constexpr bool RowsFollowTheHypotheses() {
  for (int i = 0; i < kRowCount; ++i) {
    if (static_cast<int>(kRows[i].hypothesis) != kFirstHypothesis + i) return false;
  }
  return true;
}
static_assert(RowsFollowTheHypotheses(), "rows in the order of the hypotheses");

}  // namespace

const HypothesisRow& HypothesisRowOf(Hypothesis hypothesis) {
  const int index = static_cast<int>(hypothesis) - kFirstHypothesis;
  assert(index >= 0 && index < kRowCount);
  return kRows[index];
}

}  // namespace vergleichsspannung
