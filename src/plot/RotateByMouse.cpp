// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/RotateByMouse.h"

#include <cmath>

#include "plot/ViewState.h"
#include "scene/SceneMath.h"

namespace rp {

namespace {

constexpr float kTrackballRadiusSquared = 2500.0f;  // 50 pixels

}  // namespace

bool TrackballStep(float dx, float dy, glm::vec3& screenAxis, float& angle) {
  const float d = std::sqrt(dx * dx + dy * dy);
  const float r = std::sqrt(d * d + kTrackballRadiusSquared);
  if (d == 0.0f || r == 0.0f || !std::isfinite(d)) return false;
  angle = d / r;
  screenAxis = {-dy / d, -dx / d, 0.0f};
  return true;
}

bool RotateByMouse(ViewState& state, std::int16_t x, std::int16_t y) {
  const float dx = static_cast<float>(x) - state.input.lastMouseX;
  const float dy = static_cast<float>(y) - state.input.lastMouseY;
  state.input.lastMouseX = x;
  state.input.lastMouseY = y;

  glm::vec3 screenAxis{};
  float angle = 0.0f;
  if (!TrackballStep(dx, dy, screenAxis, angle)) return false;
  const glm::vec3 worldAxis = TransformDirection(screenAxis, state.camera.cameraMatrix);
  if (NormalizeOrZero(worldAxis) == glm::vec3(0.0f)) return false;
  state.camera.orientation = glm::normalize(QuatThen(state.camera.orientation, QuatFromAxisAngle(worldAxis, angle)));
  return true;
}

}  // namespace rp
