#include <gtest/gtest.h>

#include <cmath>

#include "support/InteractionScene.h"
#include "base/PlotViewLink.h"
#include "plot/FrameClock.h"
#include "plot/FrameMove.h"
#include "plot/RotateByMouse.h"
#include "plot/ViewKeys.h"
#include "plot/ViewMenu.h"
#include "plot/ViewMouse.h"

namespace rp {
namespace {

using testing::MakePoint;

class FakePanel : public ControlPanelLink {
 public:
  void stopReplay() override {}
  bool timingChosen() const override { return true; }
  bool isReplaying() const override { return portState == 2; }
  int portState = 0;
};

double g_now = 0.0;
double FakeClock() { return g_now; }

void ExpectMatrixNear(const glm::mat4& a, const glm::mat4& b, float tol = 1e-5f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(a[r][c], b[r][c], tol) << r << "," << c;
}

class OrientationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Points.Add(MakePoint("a", 1, 1, 1));
    testing::BuildTestScene(s, dev);
    testing::SetWindowCamera(dev);
    s.ControlPanel = &panel;
    s.AutoRotate = false;
    g_now = 100.0;
    s.Clock = FrameClock(&FakeClock);
    s.Clock.Start();
  }
  // One frame `seconds` after the last.
  void Frame(double seconds) {
    g_now += seconds;
    FrameMove(s, dev);
  }
  ViewState s;
  RecordingDevice dev;
  FakePanel panel;
};

TEST_F(OrientationTest, TrackballStrokesTurnTheRootAndAddUpInRotationSum) {
  glm::vec3 axis{};
  float angle = 0;
  ASSERT_TRUE(TrackballStep(5, 0, axis, angle));
  EXPECT_NEAR(angle, 5 / std::sqrt(2525.0f), 1e-6f);  // about 0.0995
  EXPECT_FALSE(TrackballStep(0, 0, axis, angle));

  // With the identity view, a 50-pixel stroke to the right turns about -y.
  dev.SetTransform(Transform::View, glm::mat4(1.0f));
  EXPECT_EQ(MouseDown(s, kLeftButton, 100, 100), MouseDownAction::StartDrag);
  EXPECT_TRUE(MouseMove(s, dev, kLeftButton, 100, 100));  // same pixel: no turn
  EXPECT_EQ(s.RotationSum.angle, 0.0f);
  EXPECT_EQ(s.RootNode->GetMatrix(), glm::mat4(1.0f));
  EXPECT_TRUE(MouseMove(s, dev, kLeftButton, 150, 100));
  EXPECT_NEAR(s.RotationSum.angle, 0.70710678f, 1e-6f);
  EXPECT_NEAR(s.RotationSum.x, 0, 1e-6f);
  EXPECT_NEAR(s.RotationSum.y, -1, 1e-6f);
  ExpectMatrixNear(s.RootNode->GetMatrix(), RotationMatrix({0, -1, 0}, 0.70710678f));
  EXPECT_EQ(s.LastMouseX, 150.0f);

  // A second stroke downwards is taken in the turned plot's own space: the
  // screen x axis, brought into the root's space, and placed before its turn.
  const glm::mat4 before = s.RootNode->GetMatrix();
  MouseMove(s, dev, kLeftButton, 150, 150);
  const glm::vec3 local = TransformDirection({-1, 0, 0}, InverseOrZero(before));
  ExpectMatrixNear(s.RootNode->GetMatrix(),
                   before * RotationMatrix(local, 0.70710678f));
  EXPECT_NEAR(s.RotationSum.angle, 2 * 0.70710678f, 1e-5f);
  EXPECT_NEAR(s.RotationSum.x, local.x, 1e-5f);

  // While a replay runs a drag neither turns nor asks for a redraw; a hover does.
  panel.portState = 2;
  const float sum = s.RotationSum.angle;
  EXPECT_FALSE(MouseMove(s, dev, kLeftButton, 300, 300));
  EXPECT_EQ(s.RotationSum.angle, sum);
  MouseUp(s);
  EXPECT_FALSE(s.Dragging);
  EXPECT_TRUE(MouseMove(s, dev, 0, 300, 300));

  // Right button alone: the menu, never a turn or a pick.
  EXPECT_EQ(MouseDown(s, kRightButton, 10, 10), MouseDownAction::PopupMenu);
  EXPECT_FALSE(s.Dragging);
  EXPECT_FALSE(MouseMove(s, dev, kRightButton, 20, 20));
  EXPECT_EQ(MouseDown(s, kRightButton | kLeftButton, 10, 10), MouseDownAction::StartDrag);
  s.DeviceReady = false;
  EXPECT_FALSE(MouseMove(s, dev, kLeftButton, 60, 10));
}

TEST_F(OrientationTest, AutoRotationFollowsRealTimeAndPausesWhileDragging) {
  s.AutoRotate = true;
  Frame(1.0);
  const float perSecond = 3.1415f / 40 * 1.3f;
  EXPECT_NEAR(s.StepTime, 1.3f, 1e-6f);
  EXPECT_NEAR(s.RotationSum.angle, perSecond, 1e-6f);
  EXPECT_EQ(s.RotationSum.y, 1.0f);
  // Ten short frames turn as far as one long one.
  for (int i = 0; i < 10; ++i) Frame(0.1);
  EXPECT_NEAR(s.RotationSum.angle, 2 * perSecond, 1e-5f);
  EXPECT_EQ(s.RotationSum.y, 11.0f);
  ExpectMatrixNear(s.RootNode->GetMatrix(), RotationMatrix({0, 1, 0}, 2 * perSecond), 1e-5f);

  s.Dragging = true;
  Frame(1.0);
  EXPECT_NEAR(s.RotationSum.angle, 2 * perSecond, 1e-5f);
  s.Dragging = false;
  s.AutoRotate = false;
  Frame(1.0);
  EXPECT_NEAR(s.RotationSum.angle, 2 * perSecond, 1e-5f);

  // On a software renderer auto-rotation still follows the clock.
  s.RendererKind = DeviceKind::Software;
  s.AutoRotate = true;
  Frame(1.0);
  EXPECT_NEAR(s.RotationSum.angle, 3 * perSecond, 1e-5f);
  EXPECT_EQ(s.StepTime, 0.05f);
}

TEST_F(OrientationTest, KeysFlyADampedCameraAndSetTheViewTransform) {
  // No key: the camera stays put, looking along +z, the scene at 0.8 size.
  Frame(0.1);
  const glm::mat4 start = AffineTransformation(1.25f, {0, 0, 0}, glm::quat(1, 0, 0, 0), {0, 4, -20});
  ExpectMatrixNear(s.CameraMatrix, start);
  ExpectMatrixNear(dev.GetTransform(Transform::View), InverseOrZero(start));
  ExpectMatrixNear(s.ViewMatrix, InverseOrZero(start));

  // A software renderer steps 0.05 per frame whatever the clock says.
  s.RendererKind = DeviceKind::Software;
  KeyDown(s, kKeyV);
  Frame(3.0);
  const float step = 0.05f * 3;
  EXPECT_NEAR(s.Velocity.x, step, 1e-6f);
  EXPECT_NEAR(s.CameraPosition.x, step * step * 1.25f, 1e-6f);  // through the camera's 1.25 scale
  Frame(0.001);
  EXPECT_NEAR(s.Velocity.x, step * 0.8f + step, 1e-6f);
  KeyUp(s, kKeyV);
  Frame(0.01);
  EXPECT_NEAR(s.Velocity.x, (step * 0.8f + step) * 0.8f, 1e-6f);

  // Opposite keys cancel; the arrows turn the camera, unlimited.
  KeyDown(s, kKeyS);
  KeyDown(s, kKeyX);
  KeyDown(s, kKeyRight);
  KeyDown(s, kKeyUp);
  const float y0 = s.Velocity.y;
  Frame(0.01);
  EXPECT_NEAR(s.Velocity.y, y0 * 0.8f, 1e-7f);
  EXPECT_NEAR(s.YawVelocity, 0.4f * step, 1e-6f);
  EXPECT_NEAR(s.PitchVelocity, -0.4f * step, 1e-6f);
  EXPECT_NEAR(s.Yaw, 0.4f * step * 0.05f, 1e-7f);
  EXPECT_NEAR(s.Pitch, -0.4f * step * 0.05f, 1e-7f);
  ExpectMatrixNear(s.CameraMatrix,
                   AffineTransformation(1.25f, {0, 0, 0},
                                                  QuatFromYawPitchRoll(s.Yaw, s.Pitch, 0),
                                                  s.CameraPosition));

  // Key codes beyond the table are ignored.
  KeyDown(s, 257);
  KeyDown(s, -1);
  EXPECT_FALSE(KeyHeld(s, 257));
  KeyDown(s, 256);
  EXPECT_TRUE(KeyHeld(s, 256));
}

TEST_F(OrientationTest, MenuOrderTogglesAndReset) {
  ViewMenu menu;
  const char* captions[] = {"Menu Verlassen!", "Load Data From File!", "Reset Orientation!",
                            "Verbindungslinien", "Falllinien", "Bodenplattenlinienschatten",
                            "Milchglasscheibe", "Auto Rot", "Add performance for comparison...",
                            "Remove compared performances", "Analysis settings...", "Record from MIDI input..."};
  const bool checked[] = {false, false, false, true, false, true, true, false, false, false, false, false};
  for (std::size_t i = 0; i < 12; ++i) {
    EXPECT_EQ(menu.entries[i].caption, captions[i]);
    EXPECT_EQ(menu.entries[i].checked, checked[i]) << captions[i];
    EXPECT_EQ(static_cast<std::size_t>(menu.entries[i].item), i);
  }
  EXPECT_EQ(menu.caption, "POPUPMENU");
  EXPECT_FALSE(menu.Entry(ViewMenuItem::Load).visible);
  EXPECT_FALSE(menu.Entry(ViewMenuItem::Load).enabled);
  EXPECT_FALSE(ChooseMenuItem(s, menu, ViewMenuItem::Load));

  // The check marks are not the switches: the first toggle of a checked item
  // whose switch is still off turns it on and keeps the check.
  EXPECT_FALSE(s.ShowConnectLines);
  ChooseMenuItem(s, menu, ViewMenuItem::Connect);
  EXPECT_TRUE(s.ShowConnectLines);
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Connect).checked);
  ChooseMenuItem(s, menu, ViewMenuItem::Lines);
  EXPECT_TRUE(s.ShowDropLines && menu.Entry(ViewMenuItem::Lines).checked);
  s.ShowGlass = true;
  ChooseMenuItem(s, menu, ViewMenuItem::Base);
  EXPECT_FALSE(s.ShowGlass || menu.Entry(ViewMenuItem::Base).checked);
  ChooseMenuItem(s, menu, ViewMenuItem::FootLines);
  EXPECT_TRUE(s.ShowFloorShadows && menu.Entry(ViewMenuItem::FootLines).checked);
  s.AutoRotate = true;
  ChooseMenuItem(s, menu, ViewMenuItem::Rotate);
  EXPECT_FALSE(s.AutoRotate);
  EXPECT_FALSE(menu.Entry(ViewMenuItem::Rotate).checked);
  ChooseMenuItem(s, menu, ViewMenuItem::Rotate);
  EXPECT_TRUE(s.AutoRotate);
  EXPECT_TRUE(menu.Entry(ViewMenuItem::Rotate).checked);

  // Reset: the plot's turn and the camera pose go, RotationSum and the
  // velocities stay.
  s.RootNode->AddRotation(SceneNode::Combine::Before, 1, 0, 0, 1.0f);
  s.RotationSum = {1, 0, 0, 1.0f};
  s.CameraPosition = {3, 3, 3};
  s.Yaw = 1;
  s.Pitch = 2;
  s.YawVelocity = 0.5f;
  s.CameraMatrix = ScalingMatrix(2, 2, 2);
  EXPECT_TRUE(ChooseMenuItem(s, menu, ViewMenuItem::Reset));
  EXPECT_EQ(s.RootNode->GetMatrix(), glm::mat4(1.0f));
  EXPECT_EQ(s.CameraMatrix, glm::mat4(1.0f));
  EXPECT_TRUE(s.CameraPosition.x == 0 && s.CameraPosition.y == 0 && s.CameraPosition.z == -20);
  EXPECT_TRUE(s.Yaw == 0 && s.Pitch == 0);
  EXPECT_EQ(s.RotationSum.angle, 1.0f);
  EXPECT_EQ(s.YawVelocity, 0.5f);
}

}  // namespace
}  // namespace rp
