// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/FrameMove.h"

#include "plot/ViewKeys.h"
#include "plot/ViewState.h"
#include "scene/GraphicsDevice.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

constexpr float kTimeScale = 1.3f;
constexpr float kAutoRotateRate = 3.1415f / 40.0f;  // rad per scaled second
constexpr float kSoftwareStep = 0.05f;
constexpr float kKeyRate = 3.0f;
constexpr float kDamping = 0.8f;
constexpr float kTurnRate = 0.4f;
constexpr float kCameraScale = 1.25f;

// +amount while `plus` is held, -amount while `minus` is held.
float KeyAxis(const ViewState& state, std::int32_t plus, std::int32_t minus, float amount) {
  float d = 0.0f;
  if (KeyHeld(state, plus)) d += amount;
  if (KeyHeld(state, minus)) d -= amount;
  return d;
}

void AutoRotate(ViewState& state) {
  if (!state.autoRotate || state.dragging) return;
  const float angle = kAutoRotateRate * state.stepTime;
  if (state.rootNode) state.rootNode->AddRotation(SceneNode::Combine::Before, 0.0f, 1.0f, 0.0f, angle);
  state.rotationSum.y += 1.0f;
  state.rotationSum.angle += angle;
}

}  // namespace

void FrameMove(ViewState& state, GraphicsDevice& dev) {
  state.stepTime = state.clock.Elapsed() * kTimeScale;
  if (state.stepTime < 0.0f) return;

  AutoRotate(state);

  if (state.rendererKind == DeviceKind::Software) state.stepTime = kSoftwareStep;
  const float s = state.stepTime * kKeyRate;

  state.velocity = state.velocity * kDamping;
  state.yawVelocity *= kDamping;
  state.pitchVelocity *= kDamping;

  state.velocity.x += KeyAxis(state, kKeyV, kKeyY, s);
  state.velocity.y += KeyAxis(state, kKeyS, kKeyX, s);
  state.velocity.z += KeyAxis(state, kKeyD, kKeyC, s);
  state.yawVelocity += KeyAxis(state, kKeyRight, kKeyLeft, kTurnRate * s);
  state.pitchVelocity += KeyAxis(state, kKeyDown, kKeyUp, kTurnRate * s);

  // The velocity is in camera space: turn (and scale) it into the world.
  const glm::vec3 displacement = TransformDirection(state.velocity * s, state.cameraMatrix);
  state.cameraPosition = state.cameraPosition + displacement;

  state.yaw += state.yawVelocity * state.stepTime;
  state.pitch += state.pitchVelocity * state.stepTime;

  const glm::quat q = QuatFromYawPitchRoll(state.yaw, state.pitch, 0.0f);
  state.cameraMatrix = AffineTransformation(kCameraScale, {0.0f, 0.0f, 0.0f}, q, state.cameraPosition);
  state.viewMatrix = InverseOrZero(state.cameraMatrix);
  dev.SetTransform(Transform::View, state.viewMatrix);
}

}  // namespace rp
