// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of the Statistics window: drawn with QPainter, the same way on
// the screen, into a PNG image and into an SVG drawing, so an export shows
// what the window shows.

#include <QRectF>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "stats/PerformanceSeries.h"
#include "ui/ShownStatistics.h"

class QPainter;

namespace rp {

class Dialogs;

class ChartView : public QWidget {
  Q_OBJECT
 public:
  explicit ChartView(QWidget* parent = nullptr);

  // The performances to draw, the series of them to draw, and the one drawn
  // over the others (an index into `shown`, -1 for none).
  void Show(std::shared_ptr<const ShownStatistics> shown, SeriesKind kind, int selected);
  // The main performance's current event, 0-based; -1 for none.
  void SetCurrentEvent(std::int32_t event);
  std::int32_t CurrentEvent() const { return currentEvent_; }

  // Draws the picture into `area`.
  virtual void Paint(QPainter& painter, const QRectF& area) const = 0;

  // The picture at the window's size as a PNG image or an SVG drawing (by the
  // file's extension: ".svg" for SVG, else PNG); false when it could not be
  // written.
  bool WriteTo(const QString& path) const;
  // Asks for a file name and writes the picture there; an error is shown.
  void Export(Dialogs& dialogs, const QString& title);

 protected:
  void paintEvent(QPaintEvent* event) override;

  const ShownStatistics* Shown() const { return shown_.get(); }
  SeriesKind Kind() const { return kind_; }
  int Selected() const { return selected_; }
  // The scale title of the series' values.
  QString ValueTitle() const;
  // The performances in drawing order: the selected one last, on top.
  std::vector<int> DrawingOrder() const;

 private:
  std::shared_ptr<const ShownStatistics> shown_;
  SeriesKind kind_ = SeriesKind::Timing;
  int selected_ = -1;
  std::int32_t currentEvent_ = -1;
};

}  // namespace rp
