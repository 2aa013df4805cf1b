#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "PlotWindowFixture.h"

namespace rp {
namespace {

using testing::PlotWindowTest;

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

TEST_F(PlotWindowTest, AfterTheContextIsLostThePlotGoesOnOnANewDevice) {
  const int redBefore = CountRed(Frame());
  GraphicsDevice* before = form->view().device();
  const std::size_t messages = dialogs.messages.size();  // the software renderer's note at start
  emit form->deviceWidget()->ContextLost();
  form->menuItem("menuLines")->trigger();  // a change the new frame must show
  EXPECT_GT(CountRed(Frame()), redBefore + 20) << "the plot froze";
  EXPECT_NE(form->view().device(), before);
  EXPECT_TRUE(State().DeviceReady);
  EXPECT_EQ(dialogs.messages.size(), messages) << dialogs.messages.back().text;
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
