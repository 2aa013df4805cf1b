// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/InteractionScene.h"
#include "ui/PlotInteraction.h"

namespace rp {
namespace {

// The interaction on a bare widget: what the Qt events turn into, without a
// real window or OpenGL.
class PlotInteractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.points.Add(testing::MakePoint("a", 1, 1, 1));
    testing::StartedView(s_);
    s_.camera.cameraMatrix = glm::mat4(1.0f);  // straight on, unscaled
    surface_.resize(400, 300);
    PlotInteraction::Hooks hooks;
    hooks.redraw = [this] { ++redraws_; };
    hooks.popupMenu = [this](const QPoint&) { ++popups_; };
    hooks.run = [](const std::function<void()>& f) { f(); };
    interaction_ = std::make_unique<PlotInteraction>(s_, hooks, &surface_);
  }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, surface_.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface_, &e);
  }
  ViewState s_;
  QWidget surface_;
  std::unique_ptr<PlotInteraction> interaction_;
  int redraws_ = 0, popups_ = 0;
};

TEST_F(PlotInteractionTest, MouseAndKeysReachTheView) {
  // Right button alone: the menu pops up, no drag.
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_EQ(popups_, 1);
  EXPECT_FALSE(s_.input.dragging);
  Send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {50, 50});

  // A left drag of 50 pixels turns the plot by about 0.7071 rad and redraws;
  // letting go asks for a frame too (auto-rotation goes on).
  const int before = redraws_;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 100});
  EXPECT_TRUE(s_.input.dragging);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {150, 100});
  EXPECT_NEAR(2.0f * std::acos(s_.camera.orientation.w), 0.70710678f, 1e-5f);
  EXPECT_EQ(redraws_, before + 1);
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {150, 100});
  EXPECT_FALSE(s_.input.dragging);
  EXPECT_EQ(redraws_, before + 2);
  // Hovering where nothing is changes nothing; nor does the right button alone.
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {10, 10});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {20, 20});
  EXPECT_EQ(redraws_, before + 2);

  // Keys hold camera moves; auto-repeat does not release a held key.
  QTest::keyPress(&surface_, Qt::Key_V);
  EXPECT_TRUE(MoveHeld(s_, CameraMove::FlyRight));
  EXPECT_EQ(redraws_, before + 3) << "a held key flies the camera from the next frame on";
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_V, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&surface_, &repeatRelease);
  EXPECT_TRUE(MoveHeld(s_, CameraMove::FlyRight));
  QTest::keyRelease(&surface_, Qt::Key_V);
  EXPECT_FALSE(MoveHeld(s_, CameraMove::FlyRight));
  QTest::keyPress(&surface_, Qt::Key_Left);
  QTest::keyPress(&surface_, Qt::Key_Adiaeresis);  // no move: nothing else is held
  EXPECT_EQ(std::count(s_.input.heldMoves.begin(), s_.input.heldMoves.end(), true), 1);
  EXPECT_TRUE(MoveHeld(s_, CameraMove::TurnLeft));
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(&surface_, &out);
  EXPECT_FALSE(MoveHeld(s_, CameraMove::TurnLeft));
}

}  // namespace
}  // namespace rp
