// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "frontend/PlotViewLink.h"
#include "model/ValueKind.h"
#include "plot/FrameMove.h"
#include "plot/ResetView.h"
#include "plot/RotateByMouse.h"
#include "plot/ViewKeys.h"
#include "plot/ViewMouse.h"
#include "scene/SceneMath.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

void ExpectMatrixNear(const glm::mat4& a, const glm::mat4& b, float tol = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << r << "," << c;
}

class OrientationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.points.Add(testing::MakePoint("a", 1, 1, 1));
    testing::StartedView(s_);
  }
  // `frames` frames making `seconds` together.
  void Run(ViewState& s, float seconds, int frames) {
    for (int i = 0; i < frames; ++i) FrameMove(s, seconds / static_cast<float>(frames));
  }
  glm::mat4 Turn() const { return RotationMatrix(s_.camera.orientation); }
  ViewState s_;
};

TEST_F(OrientationTest, TrackballStrokesComposeOntoTheOrientation) {
  glm::vec3 axis{};
  float angle = 0;
  ASSERT_TRUE(TrackballStep(5, 0, axis, angle));
  EXPECT_NEAR(angle, 5 / std::sqrt(2525.0f), 1e-6f);  // about 0.0995
  EXPECT_FALSE(TrackballStep(0, 0, axis, angle));

  // A camera straight on: a 50-pixel stroke to the right turns about -y.
  s_.camera.cameraMatrix = glm::mat4(1.0f);
  EXPECT_EQ(MouseDown(s_, kLeftButton, 100, 100), MouseDownAction::StartDrag);
  EXPECT_FALSE(MouseMove(s_, kLeftButton, 100, 100)) << "same pixel: no turn, no frame";
  EXPECT_TRUE(MouseMove(s_, kLeftButton, 150, 100));
  ExpectMatrixNear(Turn(), RotationMatrix({0, -1, 0}, 0.70710678f));
  EXPECT_EQ(s_.input.lastMouseX, 150.0f);

  // A second stroke downwards turns about the screen's x axis as the plot
  // stands now: after the first turn, whatever that did to the plot's axes.
  const glm::mat4 before = Turn();
  EXPECT_TRUE(MouseMove(s_, kLeftButton, 150, 150));
  ExpectMatrixNear(Turn(), RotationMatrix({-1, 0, 0}, 0.70710678f) * before);

  // While a replay runs a drag does not turn.
  s_.replaying = true;
  const glm::quat held = s_.camera.orientation;
  EXPECT_FALSE(MouseMove(s_, kLeftButton, 300, 300));
  EXPECT_EQ(s_.camera.orientation, held);
  MouseUp(s_);
  EXPECT_FALSE(s_.input.dragging);

  // Right button alone: the menu, never a turn or a pick.
  EXPECT_EQ(MouseDown(s_, kRightButton, 10, 10), MouseDownAction::PopupMenu);
  EXPECT_FALSE(s_.input.dragging);
  EXPECT_FALSE(MouseMove(s_, kRightButton, 20, 20));
  EXPECT_EQ(MouseDown(s_, kRightButton | kLeftButton, 10, 10), MouseDownAction::StartDrag);
  s_.rendererReady = false;
  EXPECT_FALSE(MouseMove(s_, kLeftButton, 60, 10));
}

TEST_F(OrientationTest, AutoRotationTurnsPerSecondAtAnyFrameRateAndPausesWhileDragging) {
  s_.autoRotate = true;
  const float perSecond = std::numbers::pi_v<float> / 40 * 1.3f;
  ViewState slow = s_;
  Run(s_, 2.0f, 120);  // 60 frames a second
  Run(slow, 2.0f, 5);  // 2.5 frames a second
  ExpectMatrixNear(Turn(), RotationMatrix({0, 1, 0}, 2 * perSecond));
  ExpectMatrixNear(RotationMatrix(slow.camera.orientation), Turn());

  s_.input.dragging = true;
  Run(s_, 1.0f, 10);
  ExpectMatrixNear(Turn(), RotationMatrix({0, 1, 0}, 2 * perSecond));
  s_.input.dragging = false;
  s_.autoRotate = false;
  Run(s_, 1.0f, 10);
  ExpectMatrixNear(Turn(), RotationMatrix({0, 1, 0}, 2 * perSecond));
  EXPECT_FALSE(CameraMoving(s_));
}

TEST_F(OrientationTest, HeldKeysFlyTheCameraAsFarPerSecondAtAnyFrameRateThenItStops) {
  // No key: the camera stays put at (0, 4, -20) looking along +z, the scene
  // at 0.8 size.
  FrameMove(s_, 0.1f);
  const glm::mat4 start = AffineTransformation(1.25f, {0, 0, 0}, glm::quat(1, 0, 0, 0), {0, 4, -20});
  ExpectMatrixNear(s_.camera.cameraMatrix, start);
  ExpectMatrixNear(s_.camera.viewMatrix, InverseOrZero(start));

  // Flying and turning, each as far at 100 as at 4 frames a second.
  ViewState fly = s_, flyFast = s_, turn = s_, turnFast = s_;
  for (ViewState* v : {&fly, &flyFast}) HoldMove(*v, CameraMove::FlyRight);
  for (ViewState* v : {&turn, &turnFast}) HoldMove(*v, CameraMove::TurnRight);
  EXPECT_TRUE(CameraMoving(fly));
  Run(flyFast, 3.0f, 300);
  Run(fly, 3.0f, 12);
  EXPECT_NEAR(flyFast.camera.cameraPosition.x, fly.camera.cameraPosition.x, 1e-4f);
  Run(turnFast, 3.0f, 300);
  Run(turn, 3.0f, 12);
  EXPECT_NEAR(turnFast.camera.yaw, turn.camera.yaw, 1e-5f);
  // At full speed: 0.7605 camera units (0.95 of the plot's) and 0.1014 rad a
  // second, reached within a fraction of a second.
  const float x = fly.camera.cameraPosition.x, yaw = turn.camera.yaw;
  Run(fly, 1.0f, 30);
  Run(turn, 1.0f, 30);
  EXPECT_NEAR(fly.camera.cameraPosition.x - x, 0.7605f * 1.25f, 1e-3f);
  EXPECT_NEAR(turn.camera.yaw - yaw, 0.1014f, 1e-4f);

  // Let go: the camera glides a little further and comes to rest.
  ReleaseMove(fly, CameraMove::FlyRight);
  Run(fly, 1.0f, 60);
  EXPECT_FALSE(CameraMoving(fly));
  EXPECT_EQ(fly.camera.velocity.x, 0.0f);
  const glm::vec3 rest = fly.camera.cameraPosition;
  Run(fly, 1.0f, 60);
  EXPECT_EQ(fly.camera.cameraPosition, rest);

  // Opposite moves cancel.
  HoldMove(s_, CameraMove::FlyRight);
  HoldMove(s_, CameraMove::FlyLeft);
  Run(s_, 1.0f, 60);
  EXPECT_EQ(s_.camera.velocity.x, 0.0f);
}

TEST_F(OrientationTest, ResetGoesBackToTheStartPose) {
  // Reset: the plot's turn goes, the camera is back where it starts and at rest.
  s_.camera.orientation = QuatFromAxisAngle({1, 0, 0}, 1.0f);
  s_.camera.cameraPosition = {3, 3, 3};
  s_.camera.yaw = 1;
  s_.camera.pitch = 2;
  s_.camera.yawVelocity = 0.5f;
  s_.camera.cameraMatrix = ScalingMatrix(2, 2, 2);
  ResetView(s_);
  EXPECT_EQ(Turn(), glm::mat4(1.0f));
  EXPECT_EQ(s_.camera.cameraMatrix, glm::mat4(1.0f));
  EXPECT_TRUE(s_.camera.cameraPosition.x == 0 && s_.camera.cameraPosition.y == 4 && s_.camera.cameraPosition.z == -20);
  EXPECT_TRUE(s_.camera.yaw == 0 && s_.camera.pitch == 0);
  EXPECT_EQ(s_.camera.yawVelocity, 0.0f);
}

}  // namespace
}  // namespace rp
