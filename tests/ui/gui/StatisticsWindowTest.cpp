// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <chrono>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "app/ChartCommand.h"
#include "app/StatsCommand.h"
#include "chart/ChartColours.h"
#include "chart/ChartLayout.h"
#include "chart/ChartSvg.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/ReplayEngine.h"
#include "session/Session.h"
#include "support/ChildProcess.h"
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

// The stored settings of this test alone, in a folder of its own: the
// Statistics window keeps its choices, which another test program running
// beside it must neither see nor change.
class OwnSettings {
 public:
  OwnSettings() { Keep(QString::fromStdString(folder_.Path())); }
  ~OwnSettings() { Keep(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)); }
  OwnSettings(const OwnSettings&) = delete;
  OwnSettings& operator=(const OwnSettings&) = delete;

 private:
  static void Keep(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
  }
  TempDir folder_;
};

// The chart `--chart` describes for `args`.
std::string ChartCommandSvg(const std::vector<std::string>& args) {
  std::ostringstream err;
  const std::optional<ChartOptions> options = ParseChartOptions(args, err);
  if (!options) return err.str();
  int status = 0;
  const std::optional<ChartDescription> chart = DescribeChartOfFiles(*options, err, status);
  return chart ? ChartSvg(LayOutChart(*chart)) : err.str();
}

std::string FileText(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Whether a pixel within 2 px of `at` has the main performance's colour.
bool MainColourNear(const QImage& image, QPointF at) {
  const ChartRgb main = PerformanceColour(ChartTheme::Dark, 0);
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint p(static_cast<int>(std::lround(at.x())) + dx, static_cast<int>(std::lround(at.y())) + dy);
      if (!image.rect().contains(p)) continue;
      const QColor c = image.pixelColor(p);
      if (std::abs(c.red() - main.r) < 30 && std::abs(c.green() - main.g) < 30 && std::abs(c.blue() - main.b) < 30)
        return true;
    }
  }
  return false;
}

TEST(StatisticsWindow, MeasuresTheShownPerformancesDrawsThemAndExportsThePictures) {
  const OwnSettings settings;
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
    EXPECT_TRUE(MainColourNear(poincare, window.Poincare()->PixelOf(intervals[k], intervals[k + 1]))) << "point " << k;

  // The mark follows the replay's current event.
  session.SeekTo(0);
  const std::optional<QPointF> first = window.Curve()->MarkPosition();
  session.SeekTo(2);
  const std::optional<QPointF> third = window.Curve()->MarkPosition();
  ASSERT_TRUE(first && third);
  EXPECT_GT(third->x(), first->x());

  // A compared performance more is measured without being asked.
  session.AddCompared({test::DataFile("keys_velocities.txt")});
  dialogs.messages.clear();  // the load's note of the lines it skipped
  ASSERT_TRUE(QtWaitFor([&] { return table->rowCount() == 6; }, 10s));

  // No shuffles, no p-value: the measures are taken again as chosen.
  window.findChild<QSpinBox*>(QStringLiteral("permutationsChoice"))->setValue(0);
  EXPECT_TRUE(
      QtWaitFor([&] { return !window.Computing() && table->item(0, 11)->text() == QStringLiteral("\u2013"); }, 10s));

  const TempDir folder;
  dialogs.fileAnswers = {folder.Path("curve.png"), folder.Path("poincare.svg")};
  window.ExportCurve();
  window.ExportPoincare();
  EXPECT_TRUE(dialogs.messages.empty());
  const QImage png(QString::fromStdString(folder.Path("curve.png")));
  EXPECT_EQ(png.size(), QSize(800, 500));  // the size of --chart's files
  QFile svg(QString::fromStdString(folder.Path("poincare.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

// The window's charts of the four pianists of the Vienna 4x22 Piano Corpus
// (W. Goebl (1999), CC BY 4.0), Chopin op. 10/3: each tab's export is the
// file `--chart` writes for the same files, and its SVG renders (librsvg) to
// the size of its PNG.
TEST(StatisticsWindow, ExportsEveryChartAsTheChartCommandWritesIt) {
  const std::string match = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_";
  if (!QFile::exists(QString::fromStdString(match + "p01.match"))) GTEST_SKIP() << "no Vienna 4x22 match files";
  const std::vector<std::string> files = {match + "p01.match", match + "p02.match", match + "p03.match",
                                          match + "p04.match"};
  ScriptedDialogs dialogs;
  Session session(dialogs, QtUiPoster(qApp));
  session.SetLoadInBackground(false);
  session.Start();
  session.Open(files[0], {files.begin() + 1, files.end()});
  StatisticsWindow window(dialogs, session);
  window.show();
  ASSERT_TRUE(QtWaitFor([&] { return window.Table()->rowCount() >= 8 && !window.Computing(); }, 30s));
  // Beside timing, velocity and tempo, each match file's melody lead, chord spread and key overlap.
  EXPECT_EQ(window.Table()->rowCount(), 4 * 6);
  EXPECT_TRUE(window.TableCsv().contains(QStringLiteral(",melody_lead,"))) << window.TableCsv().toStdString();
  // Tempo in BPM, as --tempo-unit bpm gives it.
  window.findChild<QComboBox*>(QStringLiteral("tempoUnitChoice"))->setCurrentIndex(1);
  const TempDir folder;
  for (ChartView* view : {static_cast<ChartView*>(window.Poincare()), window.Bars(), window.Worm()}) {
    const std::string kind(ChartKindName(view->Kind()));
    SCOPED_TRACE(kind);
    const std::string svgPath = folder.Path(kind + ".svg");
    ASSERT_TRUE(view->WriteTo(QString::fromStdString(svgPath)));
    std::vector<std::string> args = {kind, "out.svg", "--tempo-unit", "bpm"};
    args.insert(args.end(), files.begin(), files.end());
    std::ostringstream err;
    const std::optional<ChartOptions> options = ParseChartOptions(args, err);
    ASSERT_TRUE(options) << err.str();
    int status = 0;
    const std::optional<ChartDescription> chart = DescribeChartOfFiles(*options, err, status);
    ASSERT_TRUE(chart) << err.str();
    QFile svg(QString::fromStdString(svgPath));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(svg.readAll().toStdString(), ChartSvg(LayOutChart(*chart)));

    const std::string pngPath = folder.Path(kind + ".png");
    ASSERT_TRUE(view->WriteTo(QString::fromStdString(pngPath)));
    const std::string rendered = folder.Path(kind + "-rsvg.png");
    const test::ProgramRun run = test::RunCapturing({"rsvg-convert", "-o", rendered, svgPath});
    if (run.status == -1) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) cannot be run";
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(QImage(QString::fromStdString(rendered)).size(), QImage(QString::fromStdString(pngPath)).size());
  }
}

// Two pianists of the Vienna 4x22 Piano Corpus (W. Goebl (1999), CC BY 4.0),
// Chopin op. 10/3: the intervals at 95 % are those of `--stats --ci 95`, the
// windows, the cross-recurrence and the features views export what
// `--chart` writes, and the choices come back in the next window.
TEST(StatisticsWindow, IntervalsWindowsCrossRecurrenceAndFeaturesAsTheCommandLineGivesThem) {
  const std::string match = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_";
  if (!QFile::exists(QString::fromStdString(match + "p01.match"))) GTEST_SKIP() << "no Vienna 4x22 match files";
  const std::vector<std::string> files = {match + "p01.match", match + "p02.match"};
  const OwnSettings settings;
  ScriptedDialogs dialogs;
  Session session(dialogs, QtUiPoster(qApp));
  session.SetLoadInBackground(false);
  session.Start();
  session.Open(files[0], {files[1]});
  StatisticsWindow window(dialogs, session);
  window.show();
  ASSERT_TRUE(QtWaitFor([&] { return window.Table()->rowCount() == 12 && !window.Computing(); }, 30s));
  const int columns = window.Table()->columnCount();
  auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("chartTabs"));
  const int windowsTab = tabs->indexOf(window.WindowsChart()->parentWidget());
  EXPECT_FALSE(tabs->isTabEnabled(windowsTab));  // until windows are chosen

  window.findChild<QSpinBox*>(QStringLiteral("dfaSmallestChoice"))->setValue(5);
  window.findChild<QSpinBox*>(QStringLiteral("dfaLargestChoice"))->setValue(20);
  window.findChild<QComboBox*>(QStringLiteral("ciLevelChoice"))->setCurrentIndex(2);  // 95 %
  auto* windowKind = window.findChild<QComboBox*>(QStringLiteral("windowKindChoice"));
  window.findChild<QSpinBox*>(QStringLiteral("windowSizeChoice"))->setValue(48);
  window.findChild<QSpinBox*>(QStringLiteral("windowStepChoice"))->setValue(16);
  windowKind->setCurrentIndex(1);                                                           // of events
  window.findChild<QComboBox*>(QStringLiteral("windowMeasureChoice"))->setCurrentIndex(7);  // r_d
  ASSERT_TRUE(QtWaitFor([&] { return !window.Computing() && window.Table()->columnCount() > columns; }, 120s));
  EXPECT_EQ(window.Table()->horizontalHeaderItem(4)->text(), QStringLiteral("mean_lo"));
  EXPECT_TRUE(tabs->isTabEnabled(windowsTab));
  // The first file's rows as --stats --ci 95 --dfa-scales 5:20 writes them.
  std::ostringstream stats;
  std::ostringstream err;
  ASSERT_EQ(RunStats({"--ci", "95", "--dfa-scales", "5:20", files[0]}, stats, err), 0) << err.str();
  const QStringList table = window.TableCsv().split(QLatin1Char('\n'));
  const QStringList command = QString::fromStdString(stats.str()).split(QLatin1Char('\n'));
  for (int line = 0; line < 4; ++line) EXPECT_EQ(table[line], command[line]) << "line " << line;

  const TempDir folder;
  const std::string windowsSvg = folder.Path("windows.svg");
  ASSERT_TRUE(window.WindowsChart()->WriteTo(QString::fromStdString(windowsSvg)));
  EXPECT_EQ(FileText(windowsSvg), ChartCommandSvg({"windows", "out.svg", "--window", "48", "--step", "16", "--measure",
                                                   "r_d", files[0], files[1]}));

  auto* crossWith = window.findChild<QComboBox*>(QStringLiteral("crossWithChoice"));
  ASSERT_EQ(crossWith->count(), 2);  // alone, or crossed with the other
  crossWith->setCurrentIndex(1);
  const std::string crossSvg = folder.Path("cross.svg");
  ASSERT_TRUE(window.CrossRecurrence()->WriteTo(QString::fromStdString(crossSvg)));
  const std::string cross = ChartCommandSvg({"cross-recurrence", "out.svg", files[0], files[1]});
  EXPECT_EQ(FileText(crossSvg), cross);
  EXPECT_NE(cross.find("score positions both played"), std::string::npos);

  const std::string featuresSvg = folder.Path("features.svg");
  ASSERT_TRUE(window.Features()->WriteTo(QString::fromStdString(featuresSvg)));
  EXPECT_EQ(FileText(featuresSvg), ChartCommandSvg({"features", "out.svg", files[0]}));

  // The choices are kept for the next window.
  StatisticsWindow again(dialogs, session);
  EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("ciLevelChoice"))->currentText(),
            QStringLiteral("95% intervals"));
  EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("windowKindChoice"))->currentIndex(), 1);
  EXPECT_EQ(again.findChild<QSpinBox*>(QStringLiteral("windowSizeChoice"))->value(), 48);
  EXPECT_EQ(again.findChild<QSpinBox*>(QStringLiteral("dfaLargestChoice"))->value(), 20);
  EXPECT_EQ(again.findChild<QComboBox*>(QStringLiteral("windowMeasureChoice"))->currentText(), QStringLiteral("r_d"));
}

// The plot window's menu item opens the window, which follows the replay's
// current event on its own.
TEST_F(PlotWindowTest, StatisticsFromTheMenuFollowTheCurrentEvent) {
  form_->MenuItem(QStringLiteral("menuStatistics"))->trigger();
  auto* window = form_->findChild<StatisticsWindow*>();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QtWaitFor([&] { return window->Table()->rowCount() == 2 && !window->Computing(); }, 10s));
  session_.SeekTo(4);
  ASSERT_TRUE(QtWaitFor([&] { return window->Curve()->MarkPosition().has_value(); }, 5s));
  const QPointF before = *window->Curve()->MarkPosition();
  session_.SeekTo(39);
  EXPECT_TRUE(QtWaitFor([&] { return window->Curve()->MarkPosition()->x() > before.x(); }, 5s));
  form_->MenuItem(QStringLiteral("menuStatistics"))->trigger();
  EXPECT_EQ(form_->findChildren<StatisticsWindow*>().size(), 1);
}

}  // namespace
}  // namespace rp
