// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-frame orientation step: auto-rotation of the plot and the
// key-driven camera, ending with the view transform set on the device. Runs
// before every drawFrame from the timer and from mouse moves.
//
// The plot turns about its vertical axis at 3.1415 / 40 x 1.3 rad per second
// of real time while auto-rotation is on and no drag is in progress. The
// camera flies with held keys (ViewKeys.h): each key adds to a velocity that
// decays by 0.8 per frame. On a software renderer, frames are slow and
// uneven, so the camera moves by a fixed step of 0.05 per frame.

namespace rp {

class GraphicsDevice;
struct ViewState;

void FrameMove(ViewState& state, GraphicsDevice& dev);

}  // namespace rp
