// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/RotateByMouse.h"

#include <cmath>

#include "plot/ViewState.h"
#include "scene/GraphicsDevice.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

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

void RotateByMouse(ViewState& state, GraphicsDevice& dev, std::int16_t x, std::int16_t y) {
  const float dx = static_cast<float>(x) - state.lastMouseX;
  const float dy = static_cast<float>(y) - state.lastMouseY;
  state.lastMouseX = x;
  state.lastMouseY = y;

  glm::vec3 screenAxis{};
  float angle = 0.0f;
  if (!TrackballStep(dx, dy, screenAxis, angle) || !state.rootNode) return;

  // The axis as a direction in the root node's space: both ends through the
  // view transform and back out of the root's world matrix.
  const glm::mat4 view = dev.GetTransform(Transform::View);
  SceneNode& root = *state.rootNode;
  root.UpdateWorldMatrices();
  const glm::vec3 p1 = root.FromWorld(TransformPoint(screenAxis, view));
  const glm::vec3 p0 = root.FromWorld(TransformPoint({0.0f, 0.0f, 0.0f}, view));
  const glm::vec3 axis = p1 - p0;

  root.AddRotation(SceneNode::Combine::Before, axis.x, axis.y, axis.z, angle);
  state.rotationSum.x += axis.x;
  state.rotationSum.y += axis.y;
  state.rotationSum.z += axis.z;
  state.rotationSum.angle += angle;
}

}  // namespace rp
