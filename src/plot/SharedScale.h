// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One scale for many pictures: the scale the plot would make for all the
// given performances shown together, so that pictures of one piece drawn
// one by one (a batch of snapshots) can be laid side by side.

#include <optional>
#include <vector>

#include "model/ValueKind.h"
#include "plot/RobustRange.h"

namespace rp {

struct Performance;

// The range of the full view's scale over every event of every one of
// `performances` in `kind` (each event's three values, as the full view's
// points give them), by the rule of the plot's own scale (RobustRange; on a
// logarithmic scale from the values above 0, and linear when there are
// none). In the values' own units; nothing when no performance has a value
// in `kind`.
std::optional<ValueRange> SharedScaleRange(const std::vector<const Performance*>& performances, ValueKind kind,
                                           bool logarithmic, const TempoMeasure& tempo = {});

}  // namespace rp
