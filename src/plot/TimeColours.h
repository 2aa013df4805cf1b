// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours by time: the full view's points from early to late along a colour
// ramp (blue, cyan, green, yellow, red), with a colour bar naming the times
// at its ends. Every colour of the ramp stands out on the plot's dark grey.

#include <cstdint>

namespace rp {

struct Performance;
struct ViewState;

// The ramp's colour (packed 0xAARRGGBB, opaque) at `fraction` 0 (early) to
// 1 (late); outside that, the nearer end.
std::int32_t TimeRampColour(double fraction);

// Colours the main points by their events' onsets, from the first point's
// onset to the last one's, and gives the colour bar those two times.
void ColourByTime(ViewState& state, const Performance& performance);

}  // namespace rp
