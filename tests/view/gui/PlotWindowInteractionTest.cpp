#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "../InteractionScene.h"
#include "GuiApp.h"
#include "performance/Performance.h"
#include "performance/ReplayPosition.h"
#include "performance/qt/ControlPanel.h"
#include "platform/Dialogs.h"
#include "platform/qt/GlView.h"
#include "support/ScriptedDialogs.h"
#include "view/qt/PlotWindow.h"

namespace rp {
namespace {

// The real plot window on the bundled performance, drawn by OpenGL under
// Xvfb. Frames are drawn by hand (no timer, no auto-rotation) so that each
// check sees exactly the frames it asks for.
class PlotWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<PlotWindow>(dialogs, StartOptions{RP_BUILD_DATA_DIR "/performance.txt", false, {}},
                                        performance, position, compared);
    form->view().deviceSetup().endProgram = [this](int status) { ended.push_back(status); };
    form->start();
    ASSERT_TRUE(form->view().state().DeviceReady) << "no device under this display";
    form->SetTimerEnabled(false);
    form->view().state().AutoRotate = false;
    Frame();
  }
  void TearDown() override {
    if (form && form->controlPanel()) form->controlPanel()->close();
    form.reset();
    EXPECT_TRUE(ended.empty());
  }
  ViewState& State() { return form->view().state(); }
  QWidget* Surface() { return form->deviceWidget(); }
  QImage Frame() {
    form->view().onFrameTimer();
    return form->grabClientArea();
  }
  void Send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at) {
    QMouseEvent e(type, at, Surface()->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(Surface(), &e);
  }
  // Where point `position` shows in the window now.
  QPointF PointOnScreen(std::size_t position) {
    const DataEntry& p = State().Points.Item(position);
    State().RootNode->UpdateWorldMatrices();
    const glm::vec3 v = testing::ScreenOf(*form->view().device(), {p.x, p.y, p.z},
                                          State().RootNode->GetMatrix());
    return {v.x, v.y};
  }
  // A point well inside the window with no other point drawn near it, so
  // that the pick cannot find a neighbour instead; 0 if there is none.
  std::size_t LonePoint() {
    const std::size_t n = State().Points.Count();
    std::vector<QPointF> at(n + 1);
    for (std::size_t i = 1; i <= n; ++i) at[i] = PointOnScreen(i);
    for (std::size_t i = n; i >= 1; --i) {
      if (at[i].x() < 40 || at[i].y() < 90 || at[i].x() > 560 || at[i].y() > 400) continue;
      bool alone = true;
      for (std::size_t j = 1; j <= n && alone; ++j)
        alone = j == i || QLineF(at[i], at[j]).length() > 25;
      if (alone) return i;
    }
    return 0;
  }
  static int CountRed(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        n += qRed(c) > 100 && qGreen(c) < qRed(c) / 4 && qBlue(c) < qRed(c) / 4 ? 1 : 0;
      }
    return n;
  }

  QApplication& app = testing::GuiApp();
  ScriptedDialogs dialogs;
  std::vector<int> ended;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  std::unique_ptr<PlotWindow> form;
};

TEST_F(PlotWindowTest, LeftDragTurnsThePlotAndRightClickOpensTheMenu) {
  const QImage before = Frame();
  const float turned = State().RotationSum.angle;
  Send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {200, 200});
  Send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {250, 200});
  Send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {250, 200});
  EXPECT_NEAR(State().RotationSum.angle - turned, 0.7071f, 1e-3f);
  EXPECT_NE(form->grabClientArea(), before) << "the move draws a new, turned frame";

  QTest::mouseClick(Surface(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  QMenu* menu = form->popupMenu();
  EXPECT_TRUE(menu->isVisible());
  const QStringList expected = {"Menu Verlassen!",   "Load Data From File!", "Reset Orientation!",
                                "Verbindungslinien", "Falllinien",           "Bodenplattenlinienschatten",
                                "Milchglasscheibe",  "Auto Rot",             "Add performance for comparison...",
                                "Remove compared performances"};
  QStringList captions;
  for (QAction* a : menu->actions()) captions << a->text();
  EXPECT_EQ(captions, expected);
  EXPECT_FALSE(form->menuItem("menuLoad")->isVisible());
  menu->hide();
  EXPECT_NEAR(State().RotationSum.angle - turned, 0.7071f, 1e-3f) << "a right click turns nothing";
}

TEST_F(PlotWindowTest, DropLinesShowAfterTheToggleAndHoverLabelsPoints) {
  const int redBefore = CountRed(Frame());
  form->menuItem("menuLines")->trigger();
  EXPECT_TRUE(form->menuItem("menuLines")->isChecked());
  EXPECT_GT(CountRed(Frame()), redBefore + 20);

  // Hovering a sphere shows its label; hovering nothing hides it.
  const std::size_t lone = LonePoint();
  ASSERT_GT(lone, 0u) << "every point is crowded by another";
  const QPointF at = PointOnScreen(lone);
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
  ASSERT_TRUE(State().ShowHoverText);
  const std::string& name = State().Points.Item(lone).dataname;
  EXPECT_EQ(State().HoverText.substr(0, name.size()), name);
  EXPECT_EQ(State().HoverRect.left, std::max(1, static_cast<int>(std::lround(at.x() - 20))));
  Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {3, 440});
  EXPECT_FALSE(State().ShowHoverText);
}

TEST_F(PlotWindowTest, TheMenuAddsAndRemovesAComparedPerformance) {
  dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/crlf.txt")};
  form->menuItem("menuAddCompared")->trigger();
  ASSERT_EQ(compared.size(), 1u);
  ASSERT_EQ(State().Compared.size(), 1u);
  EXPECT_EQ(State().Compared[0].Name, "crlf.txt");
  EXPECT_TRUE(State().ComparedUpper || State().ComparedLower) << "the scene holds its points";

  form->menuItem("menuRemoveCompared")->trigger();
  EXPECT_TRUE(compared.empty());
  EXPECT_TRUE(State().Compared.empty());
  EXPECT_FALSE(State().ComparedUpper);
}

}  // namespace
}  // namespace rp
