#include "plot/FrameMove.h"

#include "scene/GraphicsDevice.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "plot/ViewKeys.h"
#include "plot/ViewState.h"

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
  if (!state.AutoRotate || state.Dragging) return;
  const float angle = kAutoRotateRate * state.StepTime;
  if (state.RootNode) state.RootNode->AddRotation(SceneNode::Combine::Before, 0.0f, 1.0f, 0.0f, angle);
  state.RotationSum.y += 1.0f;
  state.RotationSum.angle += angle;
}

}  // namespace

void FrameMove(ViewState& state, GraphicsDevice& dev) {
  state.StepTime = state.Clock.Elapsed() * kTimeScale;
  if (state.StepTime < 0.0f) return;

  AutoRotate(state);

  if (state.RendererKind == DeviceKind::Software) state.StepTime = kSoftwareStep;
  const float s = state.StepTime * kKeyRate;

  state.Velocity = state.Velocity * kDamping;
  state.YawVelocity *= kDamping;
  state.PitchVelocity *= kDamping;

  state.Velocity.x += KeyAxis(state, kKeyV, kKeyY, s);
  state.Velocity.y += KeyAxis(state, kKeyS, kKeyX, s);
  state.Velocity.z += KeyAxis(state, kKeyD, kKeyC, s);
  state.YawVelocity += KeyAxis(state, kKeyRight, kKeyLeft, kTurnRate * s);
  state.PitchVelocity += KeyAxis(state, kKeyDown, kKeyUp, kTurnRate * s);

  // The velocity is in camera space: turn (and scale) it into the world.
  const glm::vec3 displacement = TransformDirection(state.Velocity * s, state.CameraMatrix);
  state.CameraPosition = state.CameraPosition + displacement;

  state.Yaw += state.YawVelocity * state.StepTime;
  state.Pitch += state.PitchVelocity * state.StepTime;

  const glm::quat q = QuatFromYawPitchRoll(state.Yaw, state.Pitch, 0.0f);
  state.CameraMatrix = AffineTransformation(kCameraScale, {0.0f, 0.0f, 0.0f}, q, state.CameraPosition);
  state.ViewMatrix = InverseOrZero(state.CameraMatrix);
  dev.SetTransform(Transform::View, state.ViewMatrix);
}

}  // namespace rp
