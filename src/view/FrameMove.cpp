#include "view/FrameMove.h"

#include "platform/GraphicsDevice.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DInit.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil_FrameTimer.h"
#include "view/ViewKeys.h"
#include "view/ViewState.h"

namespace rp {

namespace {

constexpr float kTimeScale = 1.3f;
constexpr float kAutoRotateRate = 3.1415f / 40.0f;  // rad per scaled second
constexpr float kReferenceStep = 0.05f;
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
  if (state.RootFrame) state.RootFrame->AddRotation(CD3DFrame::kBefore, 0.0f, 1.0f, 0.0f, angle);
  state.RotationSum.y += 1.0f;
  state.RotationSum.angle += angle;
}

}  // namespace

void FrameMove(ViewState& state, GraphicsDevice& dev) {
  std::int32_t command = kTimerGetElapsedTime;
  state.StepTime = D3DUtil_FrameTimer(command) * kTimeScale;
  if (state.StepTime < 0.0f) return;

  AutoRotate(state);

  if (D3DInit.DeviceType == D3DDEVTYPE_REF) state.StepTime = kReferenceStep;
  const float s = state.StepTime * kKeyRate;

  state.Velocity = D3DXVec3Scale(state.Velocity, kDamping);
  state.YawVelocity *= kDamping;
  state.PitchVelocity *= kDamping;

  state.Velocity.x += KeyAxis(state, kKeyV, kKeyY, s);
  state.Velocity.y += KeyAxis(state, kKeyS, kKeyX, s);
  state.Velocity.z += KeyAxis(state, kKeyD, kKeyC, s);
  state.YawVelocity += KeyAxis(state, kKeyRight, kKeyLeft, kTurnRate * s);
  state.PitchVelocity += KeyAxis(state, kKeyDown, kKeyUp, kTurnRate * s);

  // The velocity is in camera space: turn (and scale) it into the world.
  const D3DVECTOR displacement =
      D3DXVec3TransformNormal(D3DXVec3Scale(state.Velocity, s), state.CameraMatrix);
  state.CameraPosition = D3DXVec3Add(state.CameraPosition, displacement);

  state.Yaw += state.YawVelocity * state.StepTime;
  state.Pitch += state.PitchVelocity * state.StepTime;

  const D3DQUATERNION q = D3DXQuaternionRotationYawPitchRoll(state.Yaw, state.Pitch, 0.0f);
  state.CameraMatrix = D3DXMatrixAffineTransformation(kCameraScale, {0.0f, 0.0f, 0.0f}, q,
                                                      state.CameraPosition);
  state.ViewMatrix = D3DXMatrixInverse(state.CameraMatrix);
  dev.SetTransform(D3DTS_VIEW, state.ViewMatrix);
}

}  // namespace rp
