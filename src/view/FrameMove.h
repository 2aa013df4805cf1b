#pragma once
// The per-frame orientation step: auto-rotation of the plot and the
// key-driven camera, ending with the view transform set on the device. Runs
// before every DrawGraph from the timer and from mouse moves.

namespace rp {

class GraphicsDevice;
struct ViewState;

void FrameMove(ViewState& state, GraphicsDevice& dev);

}  // namespace rp
