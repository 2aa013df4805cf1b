// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mouse over the plot: a right click (right button alone) opens the popup
// menu; any other button starts a drag that turns the plot (RotateByMouse);
// a move without a drag hovers (MouseOver). Button masks: 1 left, 2 right,
// 4 middle, combined.

#include <cstdint>
#include <string_view>

namespace rp {

class GraphicsDevice;
struct ViewState;

inline constexpr std::int32_t kLeftButton = 1;
inline constexpr std::int32_t kRightButton = 2;
inline constexpr std::int32_t kMiddleButton = 4;

enum class MouseDownAction { PopupMenu, StartDrag };

// Right button alone: the caller pops up the menu at the mouse. Otherwise
// dragging starts from (x, y).
MouseDownAction MouseDown(ViewState& state, std::int32_t buttons, float x, float y);

// One mouse move. True when the caller should now run FrameMove and
// DrawGraph. Nothing happens before the device exists or with the right
// button alone; while a replay runs, a drag neither turns nor redraws.
bool MouseMove(ViewState& state, GraphicsDevice& dev, std::int32_t buttons, float x, float y,
               std::string_view decimalSeparator = ".");

void MouseUp(ViewState& state);

}  // namespace rp
