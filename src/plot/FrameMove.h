// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The orientation step of one frame: auto-rotation of the plot and the
// key-driven camera, ending with the camera and view matrices.
//
// Every speed is per second of real time, the same at any frame rate. The
// plot turns about its own vertical axis at pi / 40 x 1.3 rad per second
// while auto-rotation is on, no drag is in progress and no hover label shows. The camera flies
// with held keys (ViewKeys.h): each key sets a speed the camera's velocity
// approaches with a time constant of about 45 ms, and which it loses as fast
// once the key is let go; at full speed it flies 0.76 of its units (0.95 of
// the plot's) and turns 0.1 rad per second, as the earlier per-frame rule did
// at its 100 frames a second.

namespace rp {

struct ViewState;

// Moves everything on by `seconds` (0: only the matrices from the pose).
void FrameMove(ViewState& state, float seconds);

// Whether the camera still moves (a key held, or a velocity not yet died
// away).
bool CameraMoving(const ViewState& state);

}  // namespace rp
