// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a held key does to the camera. The window tells which of its keys
// stands for which move; FrameMove reads the moves held.

#include <cstddef>
#include <cstdint>

namespace rp {

struct ViewState;

enum class CameraMove : std::uint8_t {
  TurnLeft,     // yaw velocity decreases (left arrow)
  TurnRight,    // yaw velocity increases (right arrow)
  TurnUp,       // pitch velocity decreases (up arrow)
  TurnDown,     // pitch velocity increases (down arrow)
  FlyRight,     // velocity x increases (V)
  FlyLeft,      // velocity x decreases (Y)
  FlyUp,        // velocity y increases (S)
  FlyDown,      // velocity y decreases (X)
  FlyForward,   // velocity z increases (D)
  FlyBackward,  // velocity z decreases (C)
};
inline constexpr std::size_t kCameraMoveCount = 10;

void HoldMove(ViewState& state, CameraMove move);
void ReleaseMove(ViewState& state, CameraMove move);
// Every move let go (the window lost the keyboard).
void ReleaseAllMoves(ViewState& state);
bool MoveHeld(const ViewState& state, CameraMove move);

}  // namespace rp
