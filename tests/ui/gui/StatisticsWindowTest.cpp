// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTableWidget>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/ReplayEngine.h"
#include "session/Session.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"
#include "support/qt/PlotWindowFixture.h"
#include "support/qt/QtWaitFor.h"
#include "ui/PoincareView.h"
#include "ui/QtUiPost.h"
#include "ui/StatisticsWindow.h"
#include "ui/TempoCurveView.h"

namespace rp {
namespace {

using namespace std::chrono_literals;
using test::QtWaitFor;
using test::TempDir;
using testing::PlotWindowTest;

// Whether a pixel within 2 px of `at` is mostly blue, the main performance's colour.
bool BlueNear(const QImage& image, QPointF at) {
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint p(static_cast<int>(std::lround(at.x())) + dx, static_cast<int>(std::lround(at.y())) + dy);
      if (!image.rect().contains(p)) continue;
      const QColor c = image.pixelColor(p);
      if (c.blue() > 180 && c.red() < 90 && c.green() < 90) return true;
    }
  }
  return false;
}

TEST(StatisticsWindow, MeasuresTheShownPerformancesDrawsThemAndExportsThePictures) {
  ScriptedDialogs dialogs;
  Session session(dialogs, QtUiPoster(qApp));
  session.SetLoadInBackground(false);
  session.Start();
  session.Open(RP_BUILD_DATA_DIR "/performance.txt", {test::DataFile("lf.txt")});
  const Performance& performance = session.Main();
  StatisticsWindow window(dialogs, session);
  window.show();
  ASSERT_TRUE(QtWaitFor([&] { return window.Shown() != nullptr && !window.Computing(); }, 10s));

  // One row per performance and series: timing and velocity of each.
  QTableWidget* table = window.Table();
  ASSERT_EQ(table->rowCount(), 4);
  EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("performance.txt"));
  EXPECT_EQ(table->item(1, 1)->text(), QStringLiteral("velocity"));
  EXPECT_EQ(table->item(2, 0)->text(), QStringLiteral("lf.txt"));
  EXPECT_EQ(table->item(0, 2)->text().toLongLong(), performance.EventCount() - 1);
  EXPECT_FALSE(table->horizontalHeaderItem(8)->toolTip().isEmpty());
  const QStringList csv = window.TableCsv().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(csv.size(), 5);
  EXPECT_TRUE(csv[0].startsWith(QStringLiteral("file,series,n,mean,sd,cv,sd1,sd2,sd1_sd2,area,r_d,rd_p")));
  EXPECT_TRUE(csv[3].contains(QStringLiteral("lf.txt")));

  // The main performance's timing points where its intervals put them.
  std::vector<double> intervals;
  for (std::size_t k = 1; k < performance.events.size(); ++k)
    intervals.push_back(performance.events[k].onsetMs - performance.events[k - 1].onsetMs);
  ASSERT_GE(intervals.size(), 3U);
  const QImage poincare = window.Poincare()->grab().toImage();
  for (std::size_t k = 0; k + 1 < intervals.size(); ++k)
    EXPECT_TRUE(BlueNear(poincare, window.Poincare()->PixelOf(intervals[k], intervals[k + 1]))) << "point " << k;

  // The mark follows the replay's current event.
  session.SeekTo(1);
  const std::optional<QPointF> first = window.Curve()->MarkPosition();
  session.SeekTo(3);
  const std::optional<QPointF> third = window.Curve()->MarkPosition();
  ASSERT_TRUE(first && third);
  EXPECT_GT(third->x(), first->x());

  // A compared performance more is measured without being asked.
  session.AddCompared({test::DataFile("keys_velocities.txt")});
  dialogs.messages.clear();  // the load's note of the lines it skipped
  ASSERT_TRUE(QtWaitFor([&] { return table->rowCount() == 6; }, 10s));

  const TempDir folder;
  dialogs.fileAnswers = {folder.Path("curve.png"), folder.Path("poincare.svg")};
  window.ExportCurve();
  window.ExportPoincare();
  EXPECT_TRUE(dialogs.messages.empty());
  const QImage png(QString::fromStdString(folder.Path("curve.png")));
  EXPECT_EQ(png.size(), window.Curve()->size());
  QFile svg(QString::fromStdString(folder.Path("poincare.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

// The plot window's menu item opens the window, which follows the replay's
// current event on its own.
TEST_F(PlotWindowTest, StatisticsFromTheMenuFollowTheCurrentEvent) {
  form_->MenuItem(QStringLiteral("menuStatistics"))->trigger();
  auto* window = form_->findChild<StatisticsWindow*>();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QtWaitFor([&] { return window->Table()->rowCount() == 2 && !window->Computing(); }, 10s));
  session_.SeekTo(5);
  ASSERT_TRUE(QtWaitFor([&] { return window->Curve()->MarkPosition().has_value(); }, 5s));
  const QPointF before = *window->Curve()->MarkPosition();
  session_.SeekTo(40);
  EXPECT_TRUE(QtWaitFor([&] { return window->Curve()->MarkPosition()->x() > before.x(); }, 5s));
  form_->MenuItem(QStringLiteral("menuStatistics"))->trigger();
  EXPECT_EQ(form_->findChildren<StatisticsWindow*>().size(), 1);
}

}  // namespace
}  // namespace rp
