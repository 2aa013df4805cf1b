// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mouse over the plot: a right click (right button alone) opens the popup
// menu; any other button starts a drag that turns the plot (RotateByMouse);
// a move without a drag hovers (MouseOver). Button masks: 1 left, 2 right,
// 4 middle, combined.

#include <cstdint>
#include <string_view>

namespace rp {

struct ViewState;

inline constexpr std::int32_t kLeftButton = 1;
inline constexpr std::int32_t kRightButton = 2;
inline constexpr std::int32_t kMiddleButton = 4;

enum class MouseDownAction { PopupMenu, StartDrag };

// Right button alone: the caller pops up the menu at the mouse. Otherwise
// dragging starts from (x, y).
MouseDownAction MouseDown(ViewState& state, std::int32_t buttons, float x, float y);

// One mouse move. True when the picture changed and a frame is due. Nothing
// happens while the renderer does not draw or with the right button alone;
// while a replay runs, a drag does not turn the plot.
bool MouseMove(ViewState& state, std::int32_t buttons, float x, float y, std::string_view decimalSeparator = ".");

void MouseUp(ViewState& state);

}  // namespace rp
