// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ViewKeys.h"

#include "plot/ViewState.h"

namespace rp {

namespace {

bool InTable(std::int32_t keyCode) { return keyCode >= 0 && static_cast<std::size_t>(keyCode) < kKeyStateSize; }

}  // namespace

void KeyDown(ViewState& state, std::int32_t keyCode) {
  if (InTable(keyCode)) state.keyState[static_cast<std::size_t>(keyCode)] = true;
}

void KeyUp(ViewState& state, std::int32_t keyCode) {
  if (InTable(keyCode)) state.keyState[static_cast<std::size_t>(keyCode)] = false;
}

bool KeyHeld(const ViewState& state, std::int32_t keyCode) {
  return InTable(keyCode) && state.keyState[static_cast<std::size_t>(keyCode)];
}

}  // namespace rp
