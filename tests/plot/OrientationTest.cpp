// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "base/PlotViewLink.h"
#include "plot/FrameClock.h"
#include "plot/FrameMove.h"
#include "plot/RotateByMouse.h"
#include "plot/ViewKeys.h"
#include "plot/ViewMenu.h"
#include "plot/ViewMouse.h"
#include "support/InteractionScene.h"

namespace rp {
namespace {

using testing::MakePoint;

class FakePanel : public ControlPanelLink {
 public:
  void StopReplay() override {}
  bool TimingChosen() const override { return true; }
  bool IsReplaying() const override { return portState == 2; }
  int portState = 0;
};

double gNow = 0.0;
double FakeClock() { return gNow; }

void ExpectMatrixNear(const glm::mat4& a, const glm::mat4& b, float tol = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << r << "," << c;
}

class OrientationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.points.Add(MakePoint("a", 1, 1, 1));
    testing::BuildTestScene(s_, dev_);
    testing::SetWindowCamera(dev_);
    s_.controlPanel = &panel_;
    s_.autoRotate = false;
    gNow = 100.0;
    s_.clock = FrameClock(&FakeClock);
    s_.clock.Start();
  }
  // One frame `seconds` after the last.
  void Frame(double seconds) {
    gNow += seconds;
    FrameMove(s_, dev_);
  }
  ViewState s_;
  RecordingDevice dev_;
  FakePanel panel_;
};

TEST_F(OrientationTest, TrackballStrokesTurnTheRootAndAddUpInRotationSum) {
  glm::vec3 axis{};
  float angle = 0;
  ASSERT_TRUE(TrackballStep(5, 0, axis, angle));
  EXPECT_NEAR(angle, 5 / std::sqrt(2525.0f), 1e-6f);  // about 0.0995
  EXPECT_FALSE(TrackballStep(0, 0, axis, angle));

  // With the identity view, a 50-pixel stroke to the right turns about -y.
  dev_.SetTransform(Transform::View, glm::mat4(1.0f));
  EXPECT_EQ(MouseDown(s_, kLeftButton, 100, 100), MouseDownAction::StartDrag);
  EXPECT_TRUE(MouseMove(s_, dev_, kLeftButton, 100, 100));  // same pixel: no turn
  EXPECT_EQ(s_.rotationSum.angle, 0.0f);
  EXPECT_EQ(s_.rootNode->GetMatrix(), glm::mat4(1.0f));
  EXPECT_TRUE(MouseMove(s_, dev_, kLeftButton, 150, 100));
  EXPECT_NEAR(s_.rotationSum.angle, 0.70710678f, 1e-6f);
  EXPECT_NEAR(s_.rotationSum.x, 0, 1e-6f);
  EXPECT_NEAR(s_.rotationSum.y, -1, 1e-6f);
  ExpectMatrixNear(s_.rootNode->GetMatrix(), RotationMatrix({0, -1, 0}, 0.70710678f));
  EXPECT_EQ(s_.lastMouseX, 150.0f);

  // A second stroke downwards is taken in the turned plot's own space: the
  // screen x axis, brought into the root's space, and placed before its turn.
  const glm::mat4 before = s_.rootNode->GetMatrix();
  MouseMove(s_, dev_, kLeftButton, 150, 150);
  const glm::vec3 local = TransformDirection({-1, 0, 0}, InverseOrZero(before));
  ExpectMatrixNear(s_.rootNode->GetMatrix(), before * RotationMatrix(local, 0.70710678f));
  EXPECT_NEAR(s_.rotationSum.angle, 2 * 0.70710678f, 1e-5f);
  EXPECT_NEAR(s_.rotationSum.x, local.x, 1e-5f);

  // While a replay runs a drag neither turns nor asks for a redraw; a hover does.
  panel_.portState = 2;
  const float sum = s_.rotationSum.angle;
  EXPECT_FALSE(MouseMove(s_, dev_, kLeftButton, 300, 300));
  EXPECT_EQ(s_.rotationSum.angle, sum);
  MouseUp(s_);
  EXPECT_FALSE(s_.dragging);
  EXPECT_TRUE(MouseMove(s_, dev_, 0, 300, 300));

  // Right button alone: the menu, never a turn or a pick.
  EXPECT_EQ(MouseDown(s_, kRightButton, 10, 10), MouseDownAction::PopupMenu);
  EXPECT_FALSE(s_.dragging);
  EXPECT_FALSE(MouseMove(s_, dev_, kRightButton, 20, 20));
  EXPECT_EQ(MouseDown(s_, kRightButton | kLeftButton, 10, 10), MouseDownAction::StartDrag);
  s_.deviceReady = false;
  EXPECT_FALSE(MouseMove(s_, dev_, kLeftButton, 60, 10));
}

TEST_F(OrientationTest, AutoRotationFollowsRealTimeAndPausesWhileDragging) {
  s_.autoRotate = true;
  Frame(1.0);
  const float perSecond = 3.1415f / 40 * 1.3f;
  EXPECT_NEAR(s_.stepTime, 1.3f, 1e-6f);
  EXPECT_NEAR(s_.rotationSum.angle, perSecond, 1e-6f);
  EXPECT_EQ(s_.rotationSum.y, 1.0f);
  // Ten short frames turn as far as one long one.
  for (int i = 0; i < 10; ++i) Frame(0.1);
  EXPECT_NEAR(s_.rotationSum.angle, 2 * perSecond, 1e-5f);
  EXPECT_EQ(s_.rotationSum.y, 11.0f);
  ExpectMatrixNear(s_.rootNode->GetMatrix(), RotationMatrix({0, 1, 0}, 2 * perSecond), 1e-5f);

  s_.dragging = true;
  Frame(1.0);
  EXPECT_NEAR(s_.rotationSum.angle, 2 * perSecond, 1e-5f);
  s_.dragging = false;
  s_.autoRotate = false;
  Frame(1.0);
  EXPECT_NEAR(s_.rotationSum.angle, 2 * perSecond, 1e-5f);

  // On a software renderer auto-rotation still follows the clock.
  s_.rendererKind = DeviceKind::Software;
  s_.autoRotate = true;
  Frame(1.0);
  EXPECT_NEAR(s_.rotationSum.angle, 3 * perSecond, 1e-5f);
  EXPECT_EQ(s_.stepTime, 0.05f);
}

TEST_F(OrientationTest, KeysFlyADampedCameraAndSetTheViewTransform) {
  // No key: the camera stays put, looking along +z, the scene at 0.8 size.
  Frame(0.1);
  const glm::mat4 start = AffineTransformation(1.25f, {0, 0, 0}, glm::quat(1, 0, 0, 0), {0, 4, -20});
  ExpectMatrixNear(s_.cameraMatrix, start);
  ExpectMatrixNear(dev_.GetTransform(Transform::View), InverseOrZero(start));
  ExpectMatrixNear(s_.viewMatrix, InverseOrZero(start));

  // A software renderer steps 0.05 per frame whatever the clock says.
  s_.rendererKind = DeviceKind::Software;
  KeyDown(s_, kKeyV);
  Frame(3.0);
  const float step = 0.05f * 3;
  EXPECT_NEAR(s_.velocity.x, step, 1e-6f);
  EXPECT_NEAR(s_.cameraPosition.x, step * step * 1.25f, 1e-6f);  // through the camera's 1.25 scale
  Frame(0.001);
  EXPECT_NEAR(s_.velocity.x, step * 0.8f + step, 1e-6f);
  KeyUp(s_, kKeyV);
  Frame(0.01);
  EXPECT_NEAR(s_.velocity.x, (step * 0.8f + step) * 0.8f, 1e-6f);

  // Opposite keys cancel; the arrows turn the camera, unlimited.
  KeyDown(s_, kKeyS);
  KeyDown(s_, kKeyX);
  KeyDown(s_, kKeyRight);
  KeyDown(s_, kKeyUp);
  const float y0 = s_.velocity.y;
  Frame(0.01);
  EXPECT_NEAR(s_.velocity.y, y0 * 0.8f, 1e-7f);
  EXPECT_NEAR(s_.yawVelocity, 0.4f * step, 1e-6f);
  EXPECT_NEAR(s_.pitchVelocity, -0.4f * step, 1e-6f);
  EXPECT_NEAR(s_.yaw, 0.4f * step * 0.05f, 1e-7f);
  EXPECT_NEAR(s_.pitch, -0.4f * step * 0.05f, 1e-7f);
  ExpectMatrixNear(s_.cameraMatrix, AffineTransformation(1.25f, {0, 0, 0}, QuatFromYawPitchRoll(s_.yaw, s_.pitch, 0),
                                                         s_.cameraPosition));

  // Key codes beyond the table are ignored.
  KeyDown(s_, 257);
  KeyDown(s_, -1);
  EXPECT_FALSE(KeyHeld(s_, 257));
  KeyDown(s_, 256);
  EXPECT_TRUE(KeyHeld(s_, 256));
}

TEST_F(OrientationTest, MenuOrderTogglesAndReset) {
  ViewMenu menu;
  const char* captions[] = {"Close menu",
                            "Open scatter file...",
                            "Reset orientation",
                            "Connecting lines",
                            "Drop lines",
                            "Floor shadows",
                            "Frosted glass plate",
                            "Auto-rotate",
                            "Add performance for comparison...",
                            "Remove compared performances",
                            "Analysis settings...",
                            "Record from MIDI input..."};
  const bool checked[] = {false, false, false, true, false, true, true, false, false, false, false, false};
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(menu.entries[i].caption, captions[i]);
    EXPECT_EQ(menu.entries[i].checked, checked[i]) << captions[i];
    EXPECT_EQ(static_cast<std::size_t>(menu.entries[i].item), i);
  }
  EXPECT_EQ(menu.caption, "POPUPMENU");
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Load).visible);
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Load).enabled);
  EXPECT_FALSE(ChooseMenuItem(s_, menu, ViewMenuItem::Load));

  // The check marks are not the switches: the first toggle of a checked item
  // whose switch is still off turns it on and keeps the check.
  EXPECT_FALSE(s_.showConnectLines);
  ChooseMenuItem(s_, menu, ViewMenuItem::Connect);
  EXPECT_TRUE(s_.showConnectLines);
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Connect).checked);
  ChooseMenuItem(s_, menu, ViewMenuItem::Lines);
  EXPECT_TRUE(s_.showDropLines && menu.Entry(ViewMenuItem::Lines).checked);
  s_.showGlass = true;
  ChooseMenuItem(s_, menu, ViewMenuItem::Base);
  EXPECT_FALSE(s_.showGlass || menu.Entry(ViewMenuItem::Base).checked);
  ChooseMenuItem(s_, menu, ViewMenuItem::FootLines);
  EXPECT_TRUE(s_.showFloorShadows && menu.Entry(ViewMenuItem::FootLines).checked);
  s_.autoRotate = true;
  ChooseMenuItem(s_, menu, ViewMenuItem::Rotate);
  EXPECT_FALSE(s_.autoRotate);
  EXPECT_FALSE(menu.Entry(ViewMenuItem::Rotate).checked);
  ChooseMenuItem(s_, menu, ViewMenuItem::Rotate);
  EXPECT_TRUE(s_.autoRotate);
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Rotate).checked);

  // Reset: the plot's turn and the camera pose go, RotationSum and the
  // velocities stay.
  s_.rootNode->AddRotation(SceneNode::Combine::Before, 1, 0, 0, 1.0f);
  s_.rotationSum = {1, 0, 0, 1.0f};
  s_.cameraPosition = {3, 3, 3};
  s_.yaw = 1;
  s_.pitch = 2;
  s_.yawVelocity = 0.5f;
  s_.cameraMatrix = ScalingMatrix(2, 2, 2);
  EXPECT_TRUE(ChooseMenuItem(s_, menu, ViewMenuItem::Reset));
  EXPECT_EQ(s_.rootNode->GetMatrix(), glm::mat4(1.0f));
  EXPECT_EQ(s_.cameraMatrix, glm::mat4(1.0f));
  EXPECT_TRUE(s_.cameraPosition.x == 0 && s_.cameraPosition.y == 0 && s_.cameraPosition.z == -20);
  EXPECT_TRUE(s_.yaw == 0 && s_.pitch == 0);
  EXPECT_EQ(s_.rotationSum.angle, 1.0f);
  EXPECT_EQ(s_.yawVelocity, 0.5f);
}

}  // namespace
}  // namespace rp
