// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The range one scale of the plot spans: robust against a few far-out
// values (a long pause, a slip of the hand), so they do not squeeze the rest
// of a piece into a corner.

#include <optional>
#include <vector>

namespace rp {

struct ValueRange {
  double low = 0.0;
  double high = 0.0;
};

// Below this many values the range is simply min..max.
inline constexpr std::size_t kRobustRangeMinValues = 100;

// With kRobustRangeMinValues values or more: the 1st to the 99th percentile
// by nearest rank (the value at rank ceil(p * N / 100) of the sorted values),
// widened by 5 % of its width on each side; with fewer, min to max. A range
// of width 0 is widened to one unit (or 5 % of the value) on each side, so
// every scale has a width. Nothing for no values. NaN values are skipped;
// `values` is reordered.
std::optional<ValueRange> RobustRange(std::vector<double>& values);

}  // namespace rp
