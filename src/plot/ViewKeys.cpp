// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ViewKeys.h"

#include "plot/ViewState.h"

namespace rp {

void HoldMove(ViewState& state, CameraMove move) { state.input.heldMoves[static_cast<std::size_t>(move)] = true; }

void ReleaseMove(ViewState& state, CameraMove move) { state.input.heldMoves[static_cast<std::size_t>(move)] = false; }

void ReleaseAllMoves(ViewState& state) { state.input.heldMoves.fill(false); }

bool MoveHeld(const ViewState& state, CameraMove move) { return state.input.heldMoves[static_cast<std::size_t>(move)]; }

}  // namespace rp
