// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Statistics window: the return-map measures of every shown performance
// and series in a table (copyable as CSV, the columns of --stats), with
// bootstrap intervals at a chosen level, and for the selected row the tempo
// curve, the Poincaré view, the tempo against bars, the tempo–loudness
// trajectory, the (cross-)recurrence plot, a measure over windows and the
// chord and melody features against the score, each exportable as
// `--chart` writes it. Its choices are kept between runs. A view of the session: the measures are taken away from the
// window's thread, again when the session announces other performances or
// settings, and the mark follows the current event as the session moves it.

#include <QFutureWatcher>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/ComparedPerformances.h"
#include "stats/PerformanceSeries.h"
#include "ui/ShownStatistics.h"

class QComboBox;
class QLabel;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

namespace rp {

class Dialogs;
class Session;
class ChartView;
class PoincareView;
class TempoCurveView;
struct ReplayPosition;
struct StatisticsChoices;

class StatisticsWindow final : public QWidget {
  Q_OBJECT
 public:
  // Shows `session`, which must outlive the window.
  StatisticsWindow(Dialogs& dialogs, Session& session, QWidget* parent = nullptr);
  ~StatisticsWindow() override;

  // Looks at the session's performances, settings and current event now.
  void Refresh();
  // Whether measures are being taken.
  bool Computing() const;
  // The table as CSV, in the columns of --stats.
  QString TableCsv() const;
  void CopyCsv() const;
  void ExportCurve();
  void ExportPoincare();
  // Exports the chart of the tab shown.
  void ExportShownTab();

  QTableWidget* Table() const { return table_; }
  TempoCurveView* Curve() const { return curve_; }
  PoincareView* Poincare() const { return poincare_; }
  ChartView* Bars() const { return bars_; }
  ChartView* Worm() const { return worm_; }
  ChartView* RecurrencePlot() const { return recurrence_; }
  ChartView* CrossRecurrence() const { return crossRecurrence_; }
  ChartView* WindowsChart() const { return windows_; }
  ChartView* Features() const { return features_; }
  const ShownStatistics* Shown() const { return shown_.get(); }

 signals:
  // The table shows the measures of the performances as they are now.
  void Computed();

 protected:
  // A closed window looks at nothing and measures nothing.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // What identifies the shown performances and settings: when it changes,
  // the measures are taken again.
  struct Key {
    std::vector<std::string> paths;
    std::vector<const void*> events;
    std::vector<std::size_t> counts;
    std::vector<double> lastOnsets;
    std::vector<double> lastVelocities;
    AnalysisSettings settings;
    int permutations = 0;
    int sampenTemplate = 0;
    double sampenTolerance = 0.0;
    int ciPercent = 0;
    WindowChoice windows;
    bool operator==(const Key&) const = default;
  };

  Key CurrentKey() const;
  void Look();
  void StartMeasuring();
  void Measured();
  void FillTable();
  void ShowSelected();
  // The row's performance and series, or nothing.
  std::optional<std::pair<int, SeriesKind>> RowAt(int row) const;

  // The series the plot shows, whose main row the window selects.
  SeriesKind ChosenSeries() const;
  // How the measures are taken, as the spin boxes below the table hold it.
  StatisticsOptions MeasureOptions() const;
  // The beat, unit and smoothing of the tempo against bars and the
  // trajectory, as the choices above the tabs hold them.
  void TempoChosen();
  // The recurrence options as the spin boxes hold them.
  void RecurrenceChosen();
  // The charts of the selected row: every view but the tempo curve.
  std::vector<ChartView*> Charts() const;
  // The chart the tab `tab` shows, or nullptr.
  ChartView* TabChart(int tab) const;
  // The choices as the window's boxes hold them, and back.
  StatisticsChoices Choices() const;
  void ApplyChoices(const StatisticsChoices& choices);
  // The views take the choices the boxes hold.
  void ShowChoices();
  // A choice changed: it is stored, and the measures or views follow.
  void ChoiceChanged();
  WindowChoice ChosenWindows() const;
  // The level of the intervals, none when off.
  std::optional<BootstrapSettings> ChosenInterval() const;
  // Which performance the recurrence plot is crossed with: the shown
  // performances offered, the chosen one passed to the cross plot.
  void OfferCrossPartners();
  void CrossChosen();
  // The table's columns: a measure's interval beside it when `intervals`.
  void SetUpColumns(bool intervals);

  Dialogs& dialogs_;
  Session& session_;
  int listening_ = 0;
  QTableWidget* table_;
  TempoCurveView* curve_;
  PoincareView* poincare_;
  ChartView* bars_;
  ChartView* worm_;
  ChartView* recurrence_;
  ChartView* crossRecurrence_;
  ChartView* windows_;
  ChartView* features_;
  QStackedWidget* recurrenceStack_;
  QComboBox* crossWith_;
  QComboBox* ciLevel_;
  QComboBox* windowKind_;
  QSpinBox* windowSize_;
  QSpinBox* windowStep_;
  QComboBox* windowMeasure_;
  QTabWidget* tabs_;
  QSpinBox* dimension_;
  QSpinBox* embeddingDelay_;
  QSpinBox* theiler_;
  QDoubleSpinBox* radius_;
  QComboBox* beat_;
  QComboBox* tempoUnit_;
  QDoubleSpinBox* smooth_;
  QSpinBox* permutations_;
  QSpinBox* sampenTemplate_;
  QDoubleSpinBox* sampenTolerance_;
  QSpinBox* dfaSmallest_;  // the DFA scales, as --dfa-scales MIN:MAX; largest 0: a quarter of the series
  QSpinBox* dfaLargest_;
  QLabel* status_;
  QComboBox* curveAxis_;
  QFutureWatcher<std::shared_ptr<const ShownStatistics>>* watcher_;
  std::shared_ptr<const ShownStatistics> shown_;
  std::optional<Key> measuredKey_;  // what shown_ or the running measure is of
  std::optional<SeriesKind> lastChosen_;
  std::int32_t lastEvent_ = -1;
  bool measureAgain_ = false;
};

// Shows the one Statistics window of `parent` (the plot window), making it
// the first time; it closes with its parent.
StatisticsWindow* ShowStatisticsWindow(QWidget* parent, Dialogs& dialogs, Session& session);

}  // namespace rp
