// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user's hands are doing to the plot between two events: a held
// mouse button and where the mouse was last, and the keys held for camera
// moves. Part of ViewState; ViewMouse and ViewKeys keep it.

#include <array>

#include "plot/ViewKeys.h"

namespace rp {

struct ViewInput {
  bool dragging = false;  // a non-right button is held over the view
  float lastMouseX = 0.0f;
  float lastMouseY = 0.0f;
  std::array<bool, kCameraMoveCount> heldMoves{};  // true while a key asks for that camera move
};

}  // namespace rp
