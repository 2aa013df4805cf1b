// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of one frame: connecting lines, drop lines, floor shadows (of
// the main points and of every compared group) and the floor cross. Drawn
// inside the scene, after the two point passes.

namespace rp {

class GraphicsDevice;
struct ViewState;

void DrawOverlays(ViewState& state, GraphicsDevice& dev);

}  // namespace rp
