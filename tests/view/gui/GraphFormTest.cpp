#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "GuiApp.h"
#include "performance/Performance.h"
#include "performance/ReplayPosition.h"
#include "performance/qt/ControlPanel.h"
#include "platform/Dialogs.h"
#include "scene/D3DInit.h"
#include "support/ScriptedDialogs.h"
#include "view/qt/GraphForm.h"

namespace rp {
namespace {

TEST(GraphForm, StartsWithThePanelAndItsFileThenDrawsEveryTenMilliseconds) {
  testing::GuiApp();
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {std::string(RP_BUILD_DATA_DIR "/performance.txt")};
  std::vector<int> ended;
  D3DInit.EndProgram = [&](int status) { ended.push_back(status); };

  Performance performance;
  ReplayPosition position;
  GraphForm form(dialogs, StartOptions{}, performance, position);
  form.Form_Load();
  ASSERT_TRUE(form.View().State().DeviceReady) << "no device under this display";
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
  EXPECT_GT(performance.PlotEventCount, 100);
  EXPECT_EQ(form.View().State().Points.Count(), 100u);
  EXPECT_TRUE(form.View().State().AutoRotate) << "set by the view's start-up after the load cleared it";

  // The title font comes from the hidden button.
  auto* command1 = form.findChild<QPushButton*>("Command1");
  ASSERT_NE(command1, nullptr);
  EXPECT_FALSE(command1->isVisible());
  EXPECT_EQ(form.View().State().TitleFontSource.pointSize, 16.5f);
  EXPECT_EQ(form.View().State().TitleFontSource.faceName, command1->font().family().toStdString());

  EXPECT_EQ(form.Timer1()->interval(), 10);
  EXPECT_TRUE(form.Timer1()->isActive());

  // The popup menu is the view's (its items are tested with the interaction).
  EXPECT_EQ(form.PopupMenu()->actions().size(), 8);
  EXPECT_FALSE(form.MenuItem("MENU_LOAD")->isVisible());
  EXPECT_FALSE(form.MenuItem("MENU_LOAD")->isEnabled());
  form.MenuItem("MENU_LINES")->trigger();
  EXPECT_TRUE(form.View().State().ShowDropLines) << "the performance update had switched them off";
  EXPECT_TRUE(form.MenuItem("MENU_LINES")->isChecked());
  form.MenuItem("MENU_CONNECT")->trigger();
  EXPECT_FALSE(form.MenuItem("MENU_CONNECT")->isChecked());

  // Frames arrive from the timer.
  QTest::qWait(100);
  const QImage frame = form.GrabClientArea();
  ASSERT_EQ(frame.size(), QSize(606, 443));
  EXPECT_EQ(frame.pixel(2, 440) & 0xFFFFFF, 0x303030u);

  // Dragged down to 5 pixels wide: set back to 10, and the plot resumes.
  form.resize(5, 300);
  QTRY_COMPARE(form.width(), 10);
  QTRY_VERIFY(form.Timer1()->isActive());
  EXPECT_EQ(D3DInit.ClientWidth, 10);
  EXPECT_TRUE(ended.empty());

  // A replay fixes the border; closing the view closes the panel too.
  form.SetBorderFixed(true);
  EXPECT_EQ(form.minimumWidth(), form.maximumWidth());
  form.SetBorderFixed(false);
  EXPECT_NE(form.minimumWidth(), form.maximumWidth());
  form.close();
  EXPECT_FALSE(form.ControlPanel()->isVisible());
  D3DInit = D3DDeviceState{};
}

}  // namespace
}  // namespace rp
