// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hover picking: the point sphere under the cursor, picked on the spheres
// the frame shows (DescribePickScene, PickSphere), and the label that names
// it (HoverLabel.h). The glass and the plates are never picked, so points
// behind or under them can be hovered.

#include <cstddef>
#include <optional>
#include <string_view>

#include "scene/SceneDescription.h"

namespace rp {

struct ViewState;

// Picks at window pixel (x, y). A hit shows the label of the nearest sphere
// 20 pixels left of and 70 above the cursor; no hit hides the label and
// keeps its last text and place. While the label shows, auto-rotation
// pauses (FrameMove.h), so the point stays under the cursor. Nothing happens while the renderer does not
// draw. `decimalSeparator` is used in the label's numbers. True when the
// label changed (shown, hidden, moved or retexted).
bool MouseOver(ViewState& state, float x, float y, std::string_view decimalSeparator = ".");

// The pointer left the plot: the label goes. True when it was shown.
bool MouseLeft(ViewState& state);

// The point of the nearest sphere at window pixel (x, y), main or compared;
// nothing for no hit or while the renderer does not draw.
std::optional<PointRef> PointUnderMouse(const ViewState& state, float x, float y);

}  // namespace rp
