// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name plate of one axis: a double-sided square on its anchor node that
// shows the axis's line of AxisNameTexture. Axis 0 is x, 2 the depth axis;
// axis 1 (vertical) has no plate.

#include <array>
#include <cstdint>

#include "scene/GraphicsTypes.h"

namespace rp {

class GraphicsDevice;
struct ViewState;

void DrawAxisNameSquare(ViewState& state, GraphicsDevice& dev, std::int32_t axis);

// The plate of `axis` in its anchor node's space: a 4 x 0.5 front face
// (vertices 0-3, facing -z) and the back face 0.01 behind it (4-7, facing
// +z) with u mirrored, so the name reads left to right from both sides. Each
// face is a two-triangle fan; v spans the rows of the axis's text line
// (axis x lineHeight to (axis + 1) x lineHeight, over 256 rows).
std::array<Vertex, 8> AxisNamePlate(std::int32_t axis, std::int32_t lineHeight);

}  // namespace rp
