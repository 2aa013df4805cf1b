// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Statistics window: the return-map measures of every shown performance
// and series in a table (copyable as CSV, the columns of --stats), and for
// the selected row the tempo curve and the Poincaré view, each exportable as
// PNG or SVG. The measures are taken away from the window's thread; the
// window looks at the performances, the settings and the replay a few times
// a second and takes the measures again when the performances or the
// settings have changed.

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
class QPushButton;
class QTableWidget;
class QTimer;

namespace rp {

class Dialogs;
class PoincareView;
class TempoCurveView;
struct ReplayPosition;

// What the window shows: it only reads these, on its own thread.
struct StatisticsSubject {
  const Performance* performance = nullptr;
  const ComparedPerformances* compared = nullptr;
  const ReplayPosition* position = nullptr;
  // The series the plot shows (Timing, Velocity or Tempo); the window selects
  // the main performance's row of it when the choice changes. Unset: timing.
  std::function<SeriesKind()> chosenSeries;
};

class StatisticsWindow final : public QWidget {
  Q_OBJECT
 public:
  StatisticsWindow(Dialogs& dialogs, StatisticsSubject subject, QWidget* parent = nullptr);
  ~StatisticsWindow() override;

  // Looks at the performances and the settings now instead of at the next
  // look.
  void Refresh();
  // Whether measures are being taken.
  bool Computing() const;
  // The table as CSV, in the columns of --stats.
  QString TableCsv() const;
  void CopyCsv() const;
  void ExportCurve();
  void ExportPoincare();

  QTableWidget* Table() const { return table_; }
  TempoCurveView* Curve() const { return curve_; }
  PoincareView* Poincare() const { return poincare_; }
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

  Dialogs& dialogs_;
  StatisticsSubject subject_;
  QTableWidget* table_;
  TempoCurveView* curve_;
  PoincareView* poincare_;
  QLabel* status_;
  QComboBox* curveAxis_;
  QTimer* lookTimer_;
  QFutureWatcher<std::shared_ptr<const ShownStatistics>>* watcher_;
  std::shared_ptr<const ShownStatistics> shown_;
  std::optional<Key> measuredKey_;  // what shown_ or the running measure is of
  std::optional<SeriesKind> lastChosen_;
  std::int32_t lastEvent_ = -1;
  bool measureAgain_ = false;
};

// Shows the one Statistics window of `parent` (the plot window), making it
// the first time; it closes with its parent.
StatisticsWindow* ShowStatisticsWindow(QWidget* parent, Dialogs& dialogs, StatisticsSubject subject);

}  // namespace rp
