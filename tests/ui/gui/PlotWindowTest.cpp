// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "base/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "support/ScriptedDialogs.h"
#include "ui/ControlPanel.h"
#include "ui/PlotWindow.h"

namespace rp {
namespace {

TEST(PlotWindow, StartsWithThePanelAndItsFileThenDrawsEveryTenMilliseconds) {
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::string(RP_BUILD_DATA_DIR "/performance.txt")};
  std::vector<int> ended;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotWindow form(dialogs, StartOptions{}, performance, position, compared);
  form.View().Setup().endProgram = [&](int status) { ended.push_back(status); };
  form.Start();
  ASSERT_TRUE(form.View().State().deviceReady) << "no device under this display";
  EXPECT_TRUE(ended.empty());

  EXPECT_EQ(form.windowTitle(), "Return plot in 3 dimensions");
  EXPECT_EQ(form.width(), 606);
  EXPECT_EQ(form.height(), 443);
  EXPECT_TRUE(form.isVisible());
  EXPECT_LE(form.y(), 1);

  // The control panel came first and read the chosen file.
  ASSERT_NE(form.ControlPanel(), nullptr);
  EXPECT_EQ(form.ControlPanel()->windowTitle(), "Control panel");
  EXPECT_TRUE(form.ControlPanel()->isVisible());
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_GT(performance.EventCount(), 100);
  EXPECT_EQ(form.View().State().points.Count(), 100u);
  EXPECT_TRUE(form.View().State().autoRotate) << "set by the view's start-up after the load cleared it";

  // The title font comes from the hidden button.
  auto* titleFontButton = form.findChild<QPushButton*>("titleFontButton");
  ASSERT_NE(titleFontButton, nullptr);
  EXPECT_FALSE(titleFontButton->isVisible());
  EXPECT_EQ(form.View().State().titleFontSource.pointSize, 16.5f);
  EXPECT_EQ(form.View().State().titleFontSource.faceName, titleFontButton->font().family().toStdString());

  EXPECT_EQ(form.FrameTimer()->interval(), 10);
  EXPECT_TRUE(form.FrameTimer()->isActive());

  // The popup menu is the view's (its items are tested with the interaction).
  EXPECT_EQ(form.PopupMenu()->actions().size(), 13);
  EXPECT_FALSE(form.MenuItem("menuLoad")->isVisible());
  EXPECT_FALSE(form.MenuItem("menuLoad")->isEnabled());
  form.MenuItem("menuLines")->trigger();
  EXPECT_TRUE(form.View().State().showDropLines) << "the performance update had switched them off";
  EXPECT_TRUE(form.MenuItem("menuLines")->isChecked());
  form.MenuItem("menuConnect")->trigger();
  EXPECT_FALSE(form.MenuItem("menuConnect")->isChecked());

  // Frames arrive from the timer.
  QSignalSpy frames(form.FrameTimer(), &QTimer::timeout);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frames.size() >= 2; }, 5000)) << "the frame timer stands still";
  const QImage frame = form.GrabClientArea();
  ASSERT_EQ(frame.size(), QSize(606, 443));
  EXPECT_EQ(frame.pixel(2, 440) & 0xFFFFFF, 0x303030u);

  // Dragged down to 5 pixels wide: set back to 10, and the plot resumes.
  form.resize(5, 300);
  QTRY_COMPARE(form.width(), 10);
  QTRY_VERIFY(form.FrameTimer()->isActive());
  EXPECT_EQ(form.View().Device()->GetViewport().width, 10u);
  EXPECT_TRUE(ended.empty());

  // A replay fixes the border; closing the view closes the panel too.
  form.SetBorderFixed(true);
  EXPECT_EQ(form.minimumWidth(), form.maximumWidth());
  form.SetBorderFixed(false);
  EXPECT_NE(form.minimumWidth(), form.maximumWidth());
  form.close();
  EXPECT_FALSE(form.ControlPanel()->isVisible());
}

}  // namespace
}  // namespace rp
