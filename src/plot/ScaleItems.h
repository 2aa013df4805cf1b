// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the plot shows of its common scale: the three axes along the cube's
// edges with their ticks and values (x along the front floor edge, depth
// along the right floor edge, the vertical axis up the front left edge),
// the identity line when chosen, a mark on every clipped point and, while
// the full view is coloured by time, the colour bar with the times at its
// ends.

#include "scene/SceneDescription.h"

namespace rp {

struct ViewState;

// Appends them to `scene`, whose spheres are in place. Nothing of the scale
// while it is not active (a scatter file's points).
void AppendScaleItems(const ViewState& state, SceneDescription& scene);

// "m:ss" of a time in ms (whole seconds, rounded down).
std::string MinutesSeconds(double ms);

}  // namespace rp
