#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "support/qt/GuiApp.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "ui/ControlPanel.h"
#include "base/Dialogs.h"
#include "support/ScriptedDialogs.h"
#include "ui/PlotWindow.h"

namespace rp {
namespace {

TEST(PlotWindow, StartsWithThePanelAndItsFileThenDrawsEveryTenMilliseconds) {
  testing::GuiApp();
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::string(RP_BUILD_DATA_DIR "/performance.txt")};
  std::vector<int> ended;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotWindow form(dialogs, StartOptions{}, performance, position, compared);
  form.view().deviceSetup().endProgram = [&](int status) { ended.push_back(status); };
  form.start();
  ASSERT_TRUE(form.view().state().DeviceReady) << "no device under this display";
  EXPECT_TRUE(ended.empty());

  EXPECT_EQ(form.windowTitle(), "Return plot in 3 dimensions");
  EXPECT_EQ(form.width(), 606);
  EXPECT_EQ(form.height(), 443);
  EXPECT_TRUE(form.isVisible());
  EXPECT_LE(form.y(), 1);

  // The control panel came first and read the chosen file.
  ASSERT_NE(form.controlPanel(), nullptr);
  EXPECT_EQ(form.controlPanel()->windowTitle(), "Control panel");
  EXPECT_TRUE(form.controlPanel()->isVisible());
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_GT(performance.PlotEventCount, 100);
  EXPECT_EQ(form.view().state().Points.Count(), 100u);
  EXPECT_TRUE(form.view().state().AutoRotate) << "set by the view's start-up after the load cleared it";

  // The title font comes from the hidden button.
  auto* titleFontButton = form.findChild<QPushButton*>("titleFontButton");
  ASSERT_NE(titleFontButton, nullptr);
  EXPECT_FALSE(titleFontButton->isVisible());
  EXPECT_EQ(form.view().state().TitleFontSource.pointSize, 16.5f);
  EXPECT_EQ(form.view().state().TitleFontSource.faceName, titleFontButton->font().family().toStdString());

  EXPECT_EQ(form.frameTimer()->interval(), 10);
  EXPECT_TRUE(form.frameTimer()->isActive());

  // The popup menu is the view's (its items are tested with the interaction).
  EXPECT_EQ(form.popupMenu()->actions().size(), 12);
  EXPECT_FALSE(form.menuItem("menuLoad")->isVisible());
  EXPECT_FALSE(form.menuItem("menuLoad")->isEnabled());
  form.menuItem("menuLines")->trigger();
  EXPECT_TRUE(form.view().state().ShowDropLines) << "the performance update had switched them off";
  EXPECT_TRUE(form.menuItem("menuLines")->isChecked());
  form.menuItem("menuConnect")->trigger();
  EXPECT_FALSE(form.menuItem("menuConnect")->isChecked());

  // Frames arrive from the timer.
  QTest::qWait(100);
  const QImage frame = form.grabClientArea();
  ASSERT_EQ(frame.size(), QSize(606, 443));
  EXPECT_EQ(frame.pixel(2, 440) & 0xFFFFFF, 0x303030u);

  // Dragged down to 5 pixels wide: set back to 10, and the plot resumes.
  form.resize(5, 300);
  QTRY_COMPARE(form.width(), 10);
  QTRY_VERIFY(form.frameTimer()->isActive());
  EXPECT_EQ(form.view().device()->GetViewport().width, 10u);
  EXPECT_TRUE(ended.empty());

  // A replay fixes the border; closing the view closes the panel too.
  form.SetBorderFixed(true);
  EXPECT_EQ(form.minimumWidth(), form.maximumWidth());
  form.SetBorderFixed(false);
  EXPECT_NE(form.minimumWidth(), form.maximumWidth());
  form.close();
  EXPECT_FALSE(form.controlPanel()->isVisible());
}

}  // namespace
}  // namespace rp
