// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ViewMouse.h"

#include <cmath>
#include <limits>

#include "plot/MouseOver.h"
#include "plot/RotateByMouse.h"
#include "plot/ViewState.h"

namespace rp {

namespace {

// Nearest 16-bit pixel coordinate, halves to even.
std::int16_t ToPixel16(float v) {
  const float r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<std::int16_t>::min())) return std::numeric_limits<std::int16_t>::min();
  if (r > std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(r);
}

bool Replaying(const ViewState& state) { return state.replaying; }

}  // namespace

MouseDownAction MouseDown(ViewState& state, std::int32_t buttons, float x, float y) {
  if (buttons == kRightButton) return MouseDownAction::PopupMenu;
  state.input.dragging = true;
  state.input.lastMouseX = x;
  state.input.lastMouseY = y;
  return MouseDownAction::StartDrag;
}

bool MouseMove(ViewState& state, std::int32_t buttons, float x, float y, std::string_view decimalSeparator) {
  if (!state.rendererReady || buttons == kRightButton) return false;
  if (state.input.dragging) return !Replaying(state) && RotateByMouse(state, ToPixel16(x), ToPixel16(y));
  return MouseOver(state, x, y, decimalSeparator);
}

void MouseUp(ViewState& state) { state.input.dragging = false; }

}  // namespace rp
