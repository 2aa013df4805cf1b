// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hover picking: the point sphere under the cursor and the label that names
// it (HoverLabel.h). The glass plate is left out of the pick, so points
// behind or under it can be hovered.

#include <cstddef>
#include <string_view>

namespace rp {

class GraphicsDevice;
struct ViewState;

// Picks at window pixel (x, y). A hit shows the label of the nearest sphere
// 20 pixels left of and 70 above the cursor; no hit hides the label and
// keeps its last text and place. A sphere whose point is no longer in the
// collection (the scene is older than the points) counts as no hit.
// `decimalSeparator` is used in the label's numbers.
void MouseOver(ViewState& state, GraphicsDevice& dev, float x, float y, std::string_view decimalSeparator = ".");

// The position (from 1) in Points of the nearest sphere at window pixel
// (x, y), picked as the hover picks; 0 for no hit, no device, no scene or a
// compared performance's sphere.
std::size_t PointUnderMouse(ViewState& state, GraphicsDevice& dev, float x, float y);

}  // namespace rp
