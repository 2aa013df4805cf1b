// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of the Statistics window: drawn with QPainter, the same way on
// the screen, into a PNG image and into an SVG drawing, so an export shows
// what the window shows.

#include <QImage>
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

  // Draws the picture into `area`: the body, then the mark.
  void Paint(QPainter& painter, const QRectF& area) const;

  // The picture at the window's size as a PNG image or an SVG drawing (by the
  // file's extension: ".svg" for SVG, else PNG); false when it could not be
  // written.
  bool WriteTo(const QString& path) const;
  // Asks for a file name and writes the picture there; an error is shown.
  void Export(Dialogs& dialogs, const QString& title);

 protected:
  void paintEvent(QPaintEvent* event) override;

  // Everything but the current event's mark. On the screen it is drawn once
  // per change of the data, the choices or the size, and kept: the mark
  // moves with every event of a replay, and a long performance's points take
  // a while to draw.
  virtual void PaintBody(QPainter& painter, const QRectF& area) const = 0;
  virtual void PaintMark(QPainter& painter, const QRectF& area) const = 0;
  // The body must be drawn again.
  void BodyChanged();

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
  QImage body_;
};

}  // namespace rp
