// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/EventPick.h"

#include "plot/MouseOver.h"
#include "plot/ViewState.h"

namespace rp {

std::optional<std::int32_t> EventOfPoint(const PlotPoints& points, std::size_t position) {
  if (position >= points.pointEvents.size() || position >= points.points.Count()) return std::nullopt;
  return points.pointEvents[position];
}

std::optional<std::int32_t> EventUnderMouse(const ViewState& state, float x, float y) {
  const std::optional<PointRef> point = PointUnderMouse(state, x, y);
  if (!point || point->group != 0) return std::nullopt;
  return EventOfPoint(state, point->position);
}

}  // namespace rp
