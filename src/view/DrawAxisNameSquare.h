#pragma once
// The name plate of one axis: a double-sided square on its anchor frame that
// shows the axis's line of AxisNameTexture. Axis 0 is x, 2 the depth axis;
// axis 1 (vertical) has no plate.

#include <cstdint>

namespace rp {

class GraphicsDevice;
struct ViewState;

void DrawAxisNameSquare(ViewState& state, GraphicsDevice& dev, std::int32_t axis);

}  // namespace rp
