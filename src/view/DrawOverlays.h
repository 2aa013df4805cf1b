#pragma once
// The lines of one frame: connecting lines, drop lines, floor shadows and the
// floor cross. Drawn inside the scene, after the two point passes.

namespace rp {

class GraphicsDevice;
struct ViewState;

void DrawOverlays(ViewState& state, GraphicsDevice& dev);

}  // namespace rp
