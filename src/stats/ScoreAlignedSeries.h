// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two performances' series of one kind side by side by score position, for a
// cross-recurrence plot whose cell (i, i) compares the same place of the
// piece: a value of the first stands beside the value of the second whose
// event has the same score position (within kSamePositionBeats); values
// without a partner (a note one pianist left out) are left out, so nothing
// after them shifts.

#include <span>
#include <vector>

#include "stats/PerformanceSeries.h"

namespace rp {

struct AlignedSeries {
  std::vector<double> first;
  std::vector<double> second;
  std::vector<double> scoreBeats;  // the shared position of each pair, ascending
};

// `firstBeats` and `secondBeats` are the score positions of the events the
// series were made from (EventColumns::scoreBeats).
AlignedSeries AlignByScore(const NamedSeries& first, std::span<const double> firstBeats, const NamedSeries& second,
                           std::span<const double> secondBeats);

}  // namespace rp
