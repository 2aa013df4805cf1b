// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ResetView.h"

#include "plot/ViewState.h"

namespace rp {

void ResetView(ViewState& state) {
  // As at start: the camera where it starts (ViewCamera's own values) and
  // at rest, the plot unturned. The frame clock runs on, and the view matrix
  // follows the camera at the next frame move.
  const FrameClock clock = state.camera.clock;
  const glm::mat4 viewMatrix = state.camera.viewMatrix;
  state.camera = ViewCamera();
  state.camera.clock = clock;
  state.camera.viewMatrix = viewMatrix;
}

}  // namespace rp
