// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys that fly the camera, by their virtual-key codes (the codes the
// key table of the view is indexed by; the window maps its toolkit's keys to
// them). Held keys are read by FrameMove.

#include <cstdint>

namespace rp {

struct ViewState;

enum ViewKey : std::int32_t {
  kKeyLeft = 37,   // yaw velocity decreases
  kKeyUp = 38,     // pitch velocity decreases
  kKeyRight = 39,  // yaw velocity increases
  kKeyDown = 40,   // pitch velocity increases
  kKeyC = 67,      // velocity z decreases
  kKeyD = 68,      // velocity z increases
  kKeyS = 83,      // velocity y increases
  kKeyV = 86,      // velocity x increases
  kKeyX = 88,      // velocity y decreases
  kKeyY = 89,      // velocity x decreases
};

// Marks the key held / released; codes outside the table (0 to 256) are ignored.
void KeyDown(ViewState& state, std::int32_t keyCode);
void KeyUp(ViewState& state, std::int32_t keyCode);

// Whether the key is held; false for codes outside the table.
bool KeyHeld(const ViewState& state, std::int32_t keyCode);

}  // namespace rp
