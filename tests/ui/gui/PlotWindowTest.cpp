// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "frontend/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "render/GlView.h"
#include "session/Session.h"
#include "support/ScriptedDialogs.h"
#include "support/qt/QtWaitFor.h"
#include "ui/ControlPanel.h"
#include "ui/PlotWindow.h"
#include "ui/QtUiPost.h"

namespace rp {
namespace {

TEST(PlotWindow, StartsWithThePanelAndItsFileThenDrawsOnlyWhileSomethingChanges) {
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::string(RP_BUILD_DATA_DIR "/performance.txt")};
  Session session(dialogs, QtUiPoster(qApp));
  PlotWindow form(session, dialogs, StartOptions{});
  form.Start();
  ASSERT_TRUE(form.View().State().rendererReady) << "no renderer under this display";
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.ControlPanel()->State() == ProgramState::Idle; }, 20000));

  EXPECT_EQ(form.windowTitle(), "Return plot in 3 dimensions");
  // The plot's area under the menu bar.
  EXPECT_EQ(form.PlotWidget()->size(), QSize(606, 443));
  EXPECT_TRUE(form.isVisible());
  EXPECT_LE(form.y(), 1);

  // The control panel came first and read the chosen file.
  ASSERT_NE(form.ControlPanel(), nullptr);
  EXPECT_EQ(form.ControlPanel()->windowTitle(), "Control panel");
  EXPECT_TRUE(form.ControlPanel()->isVisible());
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const Performance& performance = session.Main();
  EXPECT_GT(performance.EventCount(), 100);
  EXPECT_EQ(form.View().State().points.Count(), static_cast<std::size_t>(performance.EventCount() - 3))
      << "every event but the last 2d + 1, whose values lie past the end";
  EXPECT_TRUE(form.View().State().autoRotate) << "the plot turns from the start";
  EXPECT_TRUE(form.MenuItem("menuRotate")->isChecked());

  // The caption is drawn in the title font, bolder and larger than the labels.
  EXPECT_EQ(form.View().State().titleFontSource.pointSize, 16.5f);
  EXPECT_GT(form.View().State().titleFontSource.weight, form.View().State().labelFontSource.weight);

  // The popup menu is the view's (its items are tested with the interaction).
  EXPECT_EQ(form.PopupMenu()->actions().size(), 22);
  EXPECT_TRUE(form.MenuItem("menuLoad")->isVisible());
  EXPECT_TRUE(form.MenuItem("menuLoad")->isEnabled());
  form.MenuItem("menuLines")->trigger();
  EXPECT_TRUE(form.MenuItem("menuLines")->isChecked());
  form.MenuItem("menuConnect")->trigger();
  EXPECT_FALSE(form.MenuItem("menuConnect")->isChecked());

  // A load leaves every switch, auto-rotation too, as the user set it.
  dialogs.fileAnswers = {std::string(RP_BUILD_DATA_DIR "/performance.txt")};
  form.ControlPanel()->ShownSession().ChooseAndOpen();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.ControlPanel()->State() == ProgramState::Idle; }, 20000));
  EXPECT_TRUE(form.View().State().showDropLines);
  EXPECT_FALSE(form.View().State().showConnectLines);
  EXPECT_TRUE(form.View().State().autoRotate);
  EXPECT_TRUE(form.MenuItem("menuRotate")->isChecked());

  // Turning by itself, the plot draws frame after frame, at most 60 a second.
  const std::uint64_t first = form.FramesDrawn();
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(test::QtWaitFor([&] { return form.FramesDrawn() >= first + 6; }, std::chrono::seconds(5)))
      << "the plot stands still";
  EXPECT_GE(clock.elapsed(), 5 * 1000 / 60 - 5);
  const QImage frame = form.GrabClientArea();
  ASSERT_EQ(frame.size(), QSize(606, 443));
  EXPECT_EQ(frame.pixel(2, 440) & 0xFFFFFF, 0x303030u);

  // Switched off, with nothing else changing: no frame at all.
  form.MenuItem("menuRotate")->trigger();
  EXPECT_FALSE(form.MenuItem("menuRotate")->isChecked());
  test::LetTimePassWithEvents(std::chrono::milliseconds(100));  // the frame the choice asked for
  const std::uint64_t idle = form.FramesDrawn();
  test::LetTimePassWithEvents(std::chrono::milliseconds(500));
  EXPECT_EQ(form.FramesDrawn(), idle) << "an unchanged plot is drawn again";
  EXPECT_FALSE(form.FramePacer()->isActive());

  // Dragged down to 5 pixels wide: set back to 10, and the plot follows.
  form.resize(5, 300);
  QTRY_COMPARE(form.width(), 10);
  QTRY_COMPARE(form.View().State().viewport.width, 10u);

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
