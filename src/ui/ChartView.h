// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart of the Statistics window: described by chart/StatisticsCharts
// from the shown performances, laid out and drawn with QPainter in the dark
// theme; the current event's mark is drawn over the kept chart, as it moves
// with every event of a replay. Export writes the chart in the light theme
// at the size of `--chart`, so the file is the one `--chart` writes for
// the same files.

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "chart/ChartLayout.h"
#include "chart/StatisticsCharts.h"
#include "stats/PerformanceSeries.h"
#include "ui/ShownStatistics.h"

namespace rp {

class Dialogs;

class ChartView : public QWidget {
  Q_OBJECT
 public:
  explicit ChartView(ChartKind kind, QWidget* parent = nullptr);

  // The performances to draw, the series of them to draw, and the one drawn
  // over the others (an index into `shown`, -1 for none).
  void Show(std::shared_ptr<const ShownStatistics> shown, SeriesKind kind, int selected);
  // The main performance's current event, 0-based; -1 for none.
  void SetCurrentEvent(std::int32_t event);
  std::int32_t CurrentEvent() const { return currentEvent_; }
  // The embedding, radius and Theiler window of a recurrence plot.
  void SetRecurrence(const RecurrenceSettings& settings);
  // The beat tempo is counted in (none: the time signature's), its unit,
  // and the smoothing in beats (none: bars as played, the trajectory over
  // a bar), as --beat, --tempo-unit and --smooth choose them.
  void SetTempoChoice(std::optional<Beat> beat, TempoUnit unit, std::optional<double> smoothBeats);
  // The cross-recurrence plot's other performance (an index into `shown`).
  void SetSecond(int index);
  // The measure drawn over the windows (a name of StatisticsColumns) and
  // the windows it was taken over.
  void SetWindowMeasure(const std::string& measure, const WindowChoice& windows);
  ChartKind Kind() const { return request_.kind; }

  // The chart as `--chart` describes it: light theme, its size, no mark.
  ChartDescription ExportDescription() const;
  // The export chart as SVG, PNG or PDF by the file's extension; false when
  // it could not be written.
  bool WriteTo(const QString& path) const;
  // Asks for a file name and writes the chart there; an error is shown.
  void Export(Dialogs& dialogs, const QString& title);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The mark of the current event, drawn over the kept chart; none for a
  // chart whose whole drawing follows the current event.
  std::optional<ChartCursor> Cursor() const;
  // The chart as the window shows it, with its mark when `withCursor`.
  ChartDescription Describe(bool withCursor) const;
  // The layout of the kept chart at the window's size.
  const ChartDrawing& Drawing() const;
  // The request of the chart, for the views that choose more of it.
  ChartRequest& Request() { return request_; }
  // The chart must be laid out and drawn again.
  void BodyChanged();

 private:
  std::vector<ChartPerformance> Performances() const;

  std::shared_ptr<const ShownStatistics> shown_;
  ChartRequest request_;
  std::int32_t currentEvent_ = -1;
  mutable std::optional<ChartDrawing> drawing_;
  QImage body_;
};

}  // namespace rp
