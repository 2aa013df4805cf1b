// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/FrameMove.h"

#include <cmath>
#include <numbers>

#include "plot/ViewKeys.h"
#include "plot/ViewState.h"
#include "scene/SceneMath.h"

namespace rp {

namespace {

constexpr float kTimeScale = 1.3f;
constexpr float kAutoRotateRate = std::numbers::pi_v<float> / 40.0f * kTimeScale;  // rad per second
// The earlier rule, per frame of 10 ms: velocity x 0.8, plus 3 x 1.3 x 0.01
// per held key, and a move of velocity x that step. Its steady speeds and
// its decay, per second:
constexpr float kFlySpeed = 0.7605f;       // camera units per second
constexpr float kTurnSpeed = 0.1014f;      // rad per second
constexpr float kSettleRate = 22.314355f;  // per second: ln 1.25 / 10 ms, so x 0.8 every 10 ms
constexpr float kCameraScale = 1.25f;
// Below these the camera counts as standing still.
constexpr float kRestingSpeed = 1e-4f;
constexpr float kRestingTurn = 1e-5f;

// +1 while `plus` is held, -1 while `minus` is held, 0 for both or neither.
float KeyAxis(const ViewState& state, CameraMove plus, CameraMove minus) {
  float d = 0.0f;
  if (MoveHeld(state, plus)) d += 1.0f;
  if (MoveHeld(state, minus)) d -= 1.0f;
  return d;
}

// Moves `velocity` towards `target` over `seconds` and returns the distance
// it covered meanwhile (the exact integral, so frame rates agree).
float Approach(float& velocity, float target, float seconds, float decay) {
  const float covered = target * seconds + (velocity - target) * (1.0f - decay) / kSettleRate;
  velocity = target + (velocity - target) * decay;
  return covered;
}

void AutoRotate(ViewState& state, float seconds) {
  // A hovered point stays where it is until the pointer leaves it.
  if (!state.autoRotate || state.input.dragging || state.showHoverText || seconds <= 0.0f) return;
  // About the plot's own vertical axis: the turn acts before the plot's.
  state.camera.orientation = glm::normalize(
      QuatThen(QuatFromAxisAngle({0.0f, 1.0f, 0.0f}, kAutoRotateRate * seconds), state.camera.orientation));
}

}  // namespace

void FrameMove(ViewState& state, float seconds) {
  if (!(seconds > 0.0f)) seconds = 0.0f;
  AutoRotate(state, seconds);

  const float decay = std::exp(-kSettleRate * seconds);
  glm::vec3 move;
  move.x = Approach(state.camera.velocity.x, kFlySpeed * KeyAxis(state, CameraMove::FlyRight, CameraMove::FlyLeft),
                    seconds, decay);
  move.y = Approach(state.camera.velocity.y, kFlySpeed * KeyAxis(state, CameraMove::FlyUp, CameraMove::FlyDown),
                    seconds, decay);
  move.z = Approach(state.camera.velocity.z,
                    kFlySpeed * KeyAxis(state, CameraMove::FlyForward, CameraMove::FlyBackward), seconds, decay);
  state.camera.yaw +=
      Approach(state.camera.yawVelocity, kTurnSpeed * KeyAxis(state, CameraMove::TurnRight, CameraMove::TurnLeft),
               seconds, decay);
  state.camera.pitch += Approach(state.camera.pitchVelocity,
                                 kTurnSpeed * KeyAxis(state, CameraMove::TurnDown, CameraMove::TurnUp), seconds, decay);
  if (!CameraMoving(state)) {
    state.camera.velocity = glm::vec3(0.0f);
    state.camera.yawVelocity = state.camera.pitchVelocity = 0.0f;
  }

  // The move is in camera space: turn (and scale) it into the world.
  state.camera.cameraPosition = state.camera.cameraPosition + TransformDirection(move, state.camera.cameraMatrix);
  const glm::quat q = QuatFromYawPitchRoll(state.camera.yaw, state.camera.pitch, 0.0f);
  state.camera.cameraMatrix = AffineTransformation(kCameraScale, {0.0f, 0.0f, 0.0f}, q, state.camera.cameraPosition);
  state.camera.viewMatrix = InverseOrZero(state.camera.cameraMatrix);
}

bool CameraMoving(const ViewState& state) {
  for (const bool held : state.input.heldMoves)
    if (held) return true;
  return std::abs(state.camera.velocity.x) > kRestingSpeed || std::abs(state.camera.velocity.y) > kRestingSpeed ||
         std::abs(state.camera.velocity.z) > kRestingSpeed || std::abs(state.camera.yawVelocity) > kRestingTurn ||
         std::abs(state.camera.pitchVelocity) > kRestingTurn;
}

}  // namespace rp
