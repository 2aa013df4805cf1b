// SPDX-License-Identifier: GPL-3.0-or-later
// The plot window's menu bar, its shortcuts and files dropped on the windows.

#include <gtest/gtest.h>

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <string>
#include <vector>

#include "render/PlotRenderer.h"
#include "support/TempDir.h"
#include "support/qt/PlotWindowFixture.h"
#include "support/qt/QtWaitFor.h"
#include "ui/PlotMenuBar.h"
#include "ui/StoredSettings.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

class PlotMenuBarTest : public testing::PlotWindowTest {
 protected:
  void Drop(QWidget& target, const std::vector<std::string>& files, Qt::KeyboardModifiers keys) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file));
    data.setUrls(urls);
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::NoButton, keys);
    QCoreApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::NoButton, keys);
    QCoreApplication::sendEvent(&target, &drop);
    ASSERT_TRUE(drop.isAccepted());
  }
  std::int32_t MainEvents() const { return performance_.EventCount(); }
};

const std::string kSmall = RP_TEST_DATA_DIR "/lf.txt";
const std::string kBundled = RP_BUILD_DATA_DIR "/performance.txt";

TEST_F(PlotMenuBarTest, TheBarLeavesThePlotItsSizeAndSharesThePopupsItems) {
  EXPECT_EQ(Surface()->size(), QSize(606, 443));
  EXPECT_EQ(form_->ClientWidth(), 606);
  EXPECT_EQ(form_->ClientHeight(), 443);
  PlotMenuBar& bar = form_->MenuBar();
  EXPECT_LE(bar.Bar()->geometry().bottom(), Surface()->geometry().top());
  // On the software renderer a note in the bar says so, not a box to dismiss.
  if (IsSoftwareRenderer(form_->PlotWidget()->RendererName())) {
    ASSERT_NE(bar.Bar()->cornerWidget(), nullptr);
    EXPECT_TRUE(bar.Bar()->cornerWidget()->isVisible());
    for (const auto& message : dialogs_.messages) EXPECT_NE(message.text, kNoHardwareMessage);
  }

  QStringList menus;
  for (QAction* menu : bar.Bar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
  for (const char* name : {"fileOpen", "fileExportEvents", "fileExportPicture", "fileQuit", "helpManual", "helpAbout"})
    EXPECT_NE(bar.Item(QLatin1String(name)), nullptr) << name;
  // A display switch in View is the popup's own item: one check mark, one switch.
  auto* view = bar.Bar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->actions().contains(form_->MenuItem("menuLines")));
  form_->MenuItem("menuLines")->trigger();
  EXPECT_TRUE(State().showDropLines);
  EXPECT_TRUE(form_->MenuItem("menuLines")->isChecked());
}

// One table of actions: the popup menu and the menu bar show the same
// actions, whose marks, states and captions follow the plot and the session.
TEST_F(PlotMenuBarTest, ThePopupAndTheBarShowOneTableThatFollowsThePlotAndTheSession) {
  QMenu* popup = form_->PopupMenu();
  QStringList names;
  for (QAction* item : popup->actions()) names << item->objectName();
  EXPECT_EQ(names, (QStringList{"menuExit",
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
                                "menuEventRange",
                                "menuTempoBeat",
                                "menuTempoBpm",
                                "menuScaleFrom",
                                "menuOwnScale",
                                "menuLightTheme",
                                "menuStatistics"}));
  for (QAction* item : popup->actions())
    EXPECT_EQ(form_->MenuBar().Item(item->objectName()), item) << item->objectName().toStdString();

  // A switch set anywhere shows in the mark, and a choice sets the switch.
  State().showGlass = false;
  QMetaObject::invokeMethod(popup, "aboutToShow");
  EXPECT_FALSE(form_->MenuItem("menuBase")->isChecked());
  form_->MenuItem("menuBase")->trigger();
  EXPECT_TRUE(State().showGlass);
  EXPECT_TRUE(form_->MenuItem("menuBase")->isChecked());

  // What the session cannot do now is not offered.
  EXPECT_FALSE(form_->MenuItem("menuRemoveCompared")->isEnabled()) << "nothing compared";
  session_.AddCompared({kSmall});
  ASSERT_TRUE(test::QtWaitFor([this] { return compared_.size() == 1; }, 10s));
  EXPECT_TRUE(form_->MenuItem("menuRemoveCompared")->isEnabled());
  EXPECT_FALSE(form_->MenuItem("menuColourByTime")->isEnabled());
  EXPECT_FALSE(form_->MenuItem("menuColourByTime")->toolTip().isEmpty());
  form_->MenuItem("menuRemoveCompared")->trigger();
  EXPECT_TRUE(compared_.empty());
  EXPECT_FALSE(form_->MenuItem("menuRemoveCompared")->isEnabled());
  EXPECT_EQ(form_->MenuItem("menuRecord")->text(), "Record from MIDI input...");
}

TEST_F(PlotMenuBarTest, AlignComparedByOffersScorePositionOnlyForMatchFilesOfOnePiece) {
  auto* align = form_->MenuBar().Bar()->findChild<QMenu*>(QStringLiteral("alignByMenu"));
  ASSERT_NE(align, nullptr);
  const auto entry = [align](const char* name) { return align->findChild<QAction*>(QLatin1String(name)); };
  QMetaObject::invokeMethod(align, "aboutToShow");
  EXPECT_FALSE(entry("alignByScore")->isEnabled()) << "a listing has no score positions";
  EXPECT_FALSE(entry("alignByScore")->toolTip().isEmpty());
  entry("alignByPosition")->trigger();
  EXPECT_EQ(State().alignBy, AlignBy::RelativePosition);
  EXPECT_EQ(StoredAlignBy(), AlignBy::RelativePosition) << "kept for the next start";
  QMetaObject::invokeMethod(align, "aboutToShow");
  EXPECT_TRUE(entry("alignByPosition")->isChecked());
  EXPECT_FALSE(entry("alignByNumber")->isChecked());
}

TEST_F(PlotMenuBarTest, StandardShortcutsOpenExportAndQuit) {
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  const std::size_t asked = dialogs_.requests.size();
  const std::int32_t events = MainEvents();
  QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs_.requests.size(), asked + 1) << "Ctrl+O asks for a performance";
  EXPECT_EQ(dialogs_.requests.back().title, "Open ASCII MIDI File");
  EXPECT_EQ(MainEvents(), events) << "a cancelled dialog keeps the performance";

  // Export picture: the plot as shown, as a PNG file.
  test::TempDir dir;
  const std::string png = dir.Path() + "/plot.png";
  dialogs_.fileAnswers = {png};
  QTest::keyClick(form_.get(), Qt::Key_E, Qt::ControlModifier);
  QImage written(QString::fromStdString(png));
  EXPECT_EQ(written.size(), QSize(606, 443));

  QTest::keyClick(form_.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form_->isVisible()) << "Ctrl+Q closes the program's window";
}

TEST_F(PlotMenuBarTest, DroppedFilesOpenTheFirstAndCompareTheRestOrWithCtrlCompareAll) {
  const std::int32_t bundledEvents = MainEvents();
  Drop(*form_, {kSmall, kBundled}, Qt::NoModifier);
  ASSERT_TRUE(test::QtWaitFor([this] { return compared_.size() == 1; }, 10s));
  EXPECT_EQ(MainEvents(), 5) << "the first file is the main performance";
  EXPECT_EQ(compared_.front().EventCount(), bundledEvents);

  Drop(*form_->ControlPanel(), {kBundled, kSmall}, Qt::ControlModifier);
  ASSERT_TRUE(test::QtWaitFor([this] { return compared_.size() == 3; }, 10s));
  EXPECT_EQ(MainEvents(), 5) << "with Ctrl held every file is compared";

  // Anything but local files is refused at the door.
  QMimeData text;
  text.setText(QStringLiteral("not a file"));
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &text, Qt::NoButton, Qt::NoModifier);
  enter.ignore();
  QCoreApplication::sendEvent(form_.get(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

}  // namespace
}  // namespace rp
