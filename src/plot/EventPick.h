// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which event of the performance a point sphere stands for: a double-click
// on a sphere makes its event the current one.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace rp {

struct PlotPoints;
struct ViewState;

// The event (an index from 0) the point at `position` (an index from 0) stands
// for; nothing for a placeholder, a position out of range, or a point of no
// event (a scatter file's).
std::optional<std::int32_t> EventOfPoint(const PlotPoints& points, std::size_t position);

// The event of the main performance's sphere at window pixel (x, y), picked
// as the hover picks; nothing when there is none (a compared performance's
// sphere included).
std::optional<std::int32_t> EventUnderMouse(const ViewState& state, float x, float y);

}  // namespace rp
