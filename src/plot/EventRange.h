// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chosen stretch of a performance in the full view: only events FROM to
// TO are shown, in the scale of the whole piece.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rp {

struct PlotPoints;

struct EventSpan {
  std::int32_t first = 0;
  std::int32_t last = 0;
};

// "FROM-TO" (whole numbers from 1, FROM at most TO, spaces allowed around
// each), or nothing.
std::optional<EventSpan> ParseEventSpan(std::string_view text);

// Keeps the main points of events `first` to `last` (by PointEvents) and
// the compared groups' points standing beside those events (their
// AlignedPoint's main event); 0 leaves that end open.
void KeepEventRange(PlotPoints& view, std::int32_t first, std::int32_t last);

}  // namespace rp
