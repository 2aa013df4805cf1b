// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <string>
#include <vector>

#include "support/InteractionScene.h"
#include "ui/PlotInteraction.h"
#include "ui/QtKeyCodes.h"

namespace rp {
namespace {

// The interaction on a bare widget: what the Qt events turn into, without a
// real window or OpenGL.
class PlotInteractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.points.Add(testing::MakePoint("a", 1, 1, 1));
    testing::StartedView(s_);
    s_.cameraMatrix = glm::mat4(1.0f);  // straight on, unscaled
    surface_.resize(400, 300);
    PlotInteraction::Hooks hooks;
    hooks.redraw = [this] { ++redraws_; };
    hooks.loadData = [this] { ++loads_; };
    hooks.toggleRecording = [this] { ++recordToggles_; };
    hooks.isRecording = [this] { return recording_; };
    hooks.addCompared = [this] { actions_.push_back("add"); };
    hooks.removeCompared = [this] { actions_.push_back("remove"); };
    hooks.analysisSettings = [this] { actions_.push_back("settings"); };
    hooks.displayChanged = [this] { actions_.push_back("display"); };
    hooks.run = [](const std::function<void()>& f) { f(); };
    interaction_ = std::make_unique<PlotInteraction>(s_, hooks, &surface_, &menu_);
  }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, surface_.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface_, &e);
  }
  ViewState s_;
  QWidget surface_;
  QMenu menu_;
  std::unique_ptr<PlotInteraction> interaction_;
  int redraws_ = 0, loads_ = 0, recordToggles_ = 0;
  bool recording_ = false;
  std::vector<std::string> actions_;
};

TEST_F(PlotInteractionTest, PopupMenuItemsInOrderWithTheirActions) {
  const QList<QAction*> items = menu_.actions();
  ASSERT_EQ(items.size(), 16);
  const char* names[] = {"menuExit",
                         "menuLoad",
                         "menuReset",
                         "menuConnect",
                         "menuLines",
                         "menuFootLines",
                         "menuBase",
                         "menuRotate",
                         "menuAddCompared",
                         "menuRemoveCompared",
                         "menuAnalysisSettings",
                         "menuRecord",
                         "menuLogAxes",
                         "menuIdentityLine",
                         "menuColourByTime",
                         "menuEventRange"};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(items[i]->objectName(), names[i]);
    EXPECT_EQ(items[i]->text().toStdString(), interaction_->Menu().entries[i].caption);
    EXPECT_EQ(items[i]->isChecked(), interaction_->Menu().entries[i].checked);
  }
  EXPECT_EQ(menu_.objectName(), "popupMenu");
  EXPECT_EQ(menu_.title(), "POPUPMENU");
  EXPECT_TRUE(items[1]->isVisible());
  EXPECT_TRUE(items[1]->isEnabled());

  // Each choice turns its switch and the check mark with it.
  interaction_->MenuAction("menuConnect")->trigger();
  EXPECT_FALSE(s_.showConnectLines);
  EXPECT_FALSE(interaction_->MenuAction("menuConnect")->isChecked());
  interaction_->MenuAction("menuLines")->trigger();
  EXPECT_TRUE(s_.showDropLines);
  EXPECT_TRUE(interaction_->MenuAction("menuLines")->isChecked());
  interaction_->MenuAction("menuRotate")->trigger();
  EXPECT_TRUE(s_.autoRotate);
  EXPECT_TRUE(interaction_->MenuAction("menuRotate")->isChecked());
  s_.autoRotate = false;
  interaction_->MenuAction("menuLoad")->trigger();
  EXPECT_EQ(loads_, 1);
  // The compared performances' entries are the window's actions, not toggles.
  interaction_->MenuAction("menuAddCompared")->trigger();
  interaction_->MenuAction("menuRemoveCompared")->trigger();
  EXPECT_EQ(actions_, (std::vector<std::string>{"add", "remove"}));
  EXPECT_FALSE(items[8]->isCheckable());
  EXPECT_EQ(items[8]->text(), "Add performance for comparison...");
  EXPECT_EQ(items[9]->text(), "Remove compared performances");
  EXPECT_EQ(loads_, 1);
  EXPECT_EQ(redraws_, 6) << "every choice asks for a frame";

  // The recording item goes to the control panel and names what it will do.
  QAction* record = interaction_->MenuAction("menuRecord");
  EXPECT_FALSE(record->isCheckable());
  record->trigger();
  EXPECT_EQ(recordToggles_, 1);
  recording_ = true;
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_EQ(record->text(), "Stop recording");
  menu_.hide();
  recording_ = false;
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_EQ(record->text(), "Record from MIDI input...");
  menu_.hide();

  // A new scale is the window's to make; colours by time only while one
  // performance is shown, and the menu says why not.
  interaction_->MenuAction("menuLogAxes")->trigger();
  EXPECT_TRUE(s_.display.logarithmic);
  EXPECT_TRUE(interaction_->MenuAction("menuLogAxes")->isChecked());
  EXPECT_EQ(actions_.back(), "display");
  s_.compared.emplace_back();
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_FALSE(interaction_->MenuAction("menuColourByTime")->isEnabled());
  EXPECT_FALSE(interaction_->MenuAction("menuColourByTime")->toolTip().isEmpty());
  menu_.hide();
}

TEST_F(PlotInteractionTest, MouseAndKeysReachTheView) {
  // Right button alone: the menu pops up, no drag.
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_TRUE(menu_.isVisible());
  EXPECT_FALSE(s_.dragging);
  menu_.hide();
  Send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {50, 50});

  // A left drag of 50 pixels turns the plot by about 0.7071 rad and redraws;
  // letting go asks for a frame too (auto-rotation goes on).
  const int before = redraws_;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 100});
  EXPECT_TRUE(s_.dragging);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {150, 100});
  EXPECT_NEAR(2.0f * std::acos(s_.orientation.w), 0.70710678f, 1e-5f);
  EXPECT_EQ(redraws_, before + 1);
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {150, 100});
  EXPECT_FALSE(s_.dragging);
  EXPECT_EQ(redraws_, before + 2);
  // Hovering where nothing is changes nothing; nor does the right button alone.
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {10, 10});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {20, 20});
  EXPECT_EQ(redraws_, before + 2);

  // Keys by their virtual-key codes; auto-repeat does not release a held key.
  QTest::keyPress(&surface_, Qt::Key_V);
  EXPECT_TRUE(s_.keyState[86]);
  EXPECT_EQ(redraws_, before + 3) << "a held key flies the camera from the next frame on";
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_V, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&surface_, &repeatRelease);
  EXPECT_TRUE(s_.keyState[86]);
  QTest::keyRelease(&surface_, Qt::Key_V);
  EXPECT_FALSE(s_.keyState[86]);
  QTest::keyPress(&surface_, Qt::Key_Left);
  EXPECT_TRUE(s_.keyState[37]);
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(&surface_, &out);
  EXPECT_FALSE(s_.keyState[37]);

  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Y), 89);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down), 40);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1), 112);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Adiaeresis), -1);
}

}  // namespace
}  // namespace rp
