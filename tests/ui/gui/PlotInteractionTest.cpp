#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "support/InteractionScene.h"
#include "support/qt/GuiApp.h"
#include "ui/PlotInteraction.h"
#include "ui/QtKeyCodes.h"

namespace rp {
namespace {

// The interaction on a bare widget with the recording device: what the Qt
// events turn into, without a real window or OpenGL.
class PlotInteractionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.Points.Add(testing::MakePoint("a", 1, 1, 1));
    testing::BuildTestScene(s, dev);
    dev.SetTransform(Transform::View, glm::mat4(1.0f));
    surface.resize(400, 300);
    PlotInteraction::Hooks hooks;
    hooks.device = [this] { return &dev; };
    hooks.frameMoveAndDraw = [this] { ++redraws; };
    hooks.loadData = [this] { ++loads; };
    hooks.toggleRecording = [this] { ++recordToggles; };
    hooks.isRecording = [this] { return recording; };
    hooks.addCompared = [this] { actions.push_back("add"); };
    hooks.removeCompared = [this] { actions.push_back("remove"); };
    hooks.analysisSettings = [this] { actions.push_back("settings"); };
    hooks.run = [](const std::function<void()>& f) { f(); };
    interaction = std::make_unique<PlotInteraction>(s, hooks, &surface, &menu);
  }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, surface.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface, &e);
  }
  QApplication& app = testing::GuiApp();  // before any widget
  ViewState s;
  RecordingDevice dev;
  QWidget surface;
  QMenu menu;
  std::unique_ptr<PlotInteraction> interaction;
  int redraws = 0, loads = 0, recordToggles = 0;
  bool recording = false;
  std::vector<std::string> actions;
};

TEST_F(PlotInteractionTest, PopupMenuItemsInOrderWithTheirActions) {
  const QList<QAction*> items = menu.actions();
  ASSERT_EQ(items.size(), 12);
  const char* names[] = {"menuExit",        "menuLoad",           "menuReset",           "menuConnect",
                         "menuLines",       "menuFootLines",      "menuBase",            "menuRotate",
                         "menuAddCompared", "menuRemoveCompared", "menuAnalysisSettings",
                         "menuRecord"};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(items[i]->objectName(), names[i]);
    EXPECT_EQ(items[i]->text().toStdString(), interaction->Menu().entries[i].caption);
    EXPECT_EQ(items[i]->isChecked(), interaction->Menu().entries[i].checked);
  }
  EXPECT_EQ(menu.objectName(), "popupMenu");
  EXPECT_EQ(menu.title(), "POPUPMENU");
  EXPECT_FALSE(items[1]->isVisible());
  EXPECT_FALSE(items[1]->isEnabled());

  // "Verbindungslinien" shows checked but its switch starts off: the first
  // choice turns it on and the check stays.
  interaction->MenuAction("menuConnect")->trigger();
  EXPECT_TRUE(s.ShowConnectLines);
  EXPECT_TRUE(interaction->MenuAction("menuConnect")->isChecked());
  interaction->MenuAction("menuLines")->trigger();
  EXPECT_TRUE(s.ShowDropLines);
  EXPECT_TRUE(interaction->MenuAction("menuLines")->isChecked());
  interaction->MenuAction("menuRotate")->trigger();
  EXPECT_TRUE(s.AutoRotate);
  EXPECT_TRUE(interaction->MenuAction("menuRotate")->isChecked());
  s.AutoRotate = false;
  interaction->MenuAction("menuLoad")->setEnabled(true);
  interaction->MenuAction("menuLoad")->trigger();
  EXPECT_EQ(loads, 1);
  // The compared performances' entries are the window's actions, not toggles.
  interaction->MenuAction("menuAddCompared")->trigger();
  interaction->MenuAction("menuRemoveCompared")->trigger();
  EXPECT_EQ(actions, (std::vector<std::string>{"add", "remove"}));
  EXPECT_FALSE(items[8]->isCheckable());
  EXPECT_EQ(items[8]->text(), "Add performance for comparison...");
  EXPECT_EQ(items[9]->text(), "Remove compared performances");
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(redraws, 0);  // menu choices never redraw by themselves

  // The recording item goes to the control panel and names what it will do.
  QAction* record = interaction->MenuAction("menuRecord");
  EXPECT_FALSE(record->isCheckable());
  record->trigger();
  EXPECT_EQ(recordToggles, 1);
  recording = true;
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_EQ(record->text(), "Stop recording");
  menu.hide();
  recording = false;
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_EQ(record->text(), "Record from MIDI input...");
  menu.hide();
}

TEST_F(PlotInteractionTest, MouseAndKeysReachTheView) {
  // Right button alone: the menu pops up, no drag.
  Send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, {50, 50});
  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(s.Dragging);
  menu.hide();
  Send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, {50, 50});

  // A left drag of 50 pixels turns the plot by about 0.7071 rad and redraws.
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {100, 100});
  EXPECT_TRUE(s.Dragging);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {150, 100});
  EXPECT_NEAR(s.RotationSum.angle, 0.70710678f, 1e-5f);
  EXPECT_EQ(redraws, 1);
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {150, 100});
  EXPECT_FALSE(s.Dragging);
  // A move without a button hovers and redraws; with the right button alone nothing.
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {10, 10});
  EXPECT_EQ(redraws, 2);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, {20, 20});
  EXPECT_EQ(redraws, 2);

  // Keys by their virtual-key codes; auto-repeat does not release a held key.
  QTest::keyPress(&surface, Qt::Key_V);
  EXPECT_TRUE(s.KeyState[86]);
  QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_V, Qt::NoModifier, QString(), true);
  QCoreApplication::sendEvent(&surface, &repeatRelease);
  EXPECT_TRUE(s.KeyState[86]);
  QTest::keyRelease(&surface, Qt::Key_V);
  EXPECT_FALSE(s.KeyState[86]);
  QTest::keyPress(&surface, Qt::Key_Left);
  EXPECT_TRUE(s.KeyState[37]);
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(&surface, &out);
  EXPECT_FALSE(s.KeyState[37]);

  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Y), 89);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down), 40);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1), 112);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Adiaeresis), -1);
}

}  // namespace
}  // namespace rp
