// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chosen stretch of a performance in the full view: only events FROM to
// TO are shown, in the scale of the whole piece.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rp {

struct PlotPoints;

// Events `first` to `last`, both included (indices from 0).
struct EventSpan {
  std::int32_t first = 0;
  std::int32_t last = 0;
};

// "FROM-TO" as users type it (whole numbers from 1, FROM at most TO, spaces
// allowed around each) as the span of those events; or nothing.
std::optional<EventSpan> ParseEventSpan(std::string_view text);

// Keeps the main points of the events of `span` (by PointEvents; a
// placeholder is of none) and the compared groups' points standing beside
// those events (their AlignedPoint's main event); nothing keeps every point.
void KeepEventRange(PlotPoints& view, const std::optional<EventSpan>& span);

}  // namespace rp
