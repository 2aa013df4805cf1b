// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/ResetView.h"

#include "plot/ViewState.h"

namespace rp {

void ResetView(ViewState& state) {
  // As at start: the camera where it starts (ViewState's own values) and at
  // rest, the plot unturned.
  const ViewState start;
  state.orientation = start.orientation;
  state.cameraPosition = start.cameraPosition;
  state.velocity = start.velocity;
  state.yawVelocity = start.yawVelocity;
  state.pitchVelocity = start.pitchVelocity;
  state.yaw = start.yaw;
  state.pitch = start.pitch;
  state.cameraMatrix = glm::mat4(1.0f);
}

}  // namespace rp
