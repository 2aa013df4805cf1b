// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tempo curve: one series of every shown performance value by value
// against the onset time (or the event number), each performance in its
// plot colour, the main performance's current event marked.

#include <QPolygonF>
#include <optional>
#include <vector>

#include "ui/ChartView.h"

namespace rp {

class ChartFrame;

class TempoCurveView final : public ChartView {
  Q_OBJECT
 public:
  explicit TempoCurveView(QWidget* parent = nullptr);

  // Against the onset time in seconds, or against the event number.
  void SetAgainstEventNumber(bool byNumber);

  // Where the current-event mark is drawn on the window; none when nothing
  // is marked.
  std::optional<QPointF> MarkPosition() const;

 protected:
  void PaintBody(QPainter& painter, const QRectF& area) const override;
  void PaintMark(QPainter& painter, const QRectF& area) const override;

 private:
  ChartFrame Frame(const QRectF& area) const;
  double XOf(const CurvePoint& point) const;
  std::optional<QPointF> Mark(const ChartFrame& frame) const;
  QPolygonF Line(const ChartFrame& frame, const std::vector<CurvePoint>& curve) const;

  bool byNumber_ = false;
};

}  // namespace rp
