// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tempo curve: one series of every shown performance value by value
// against the onset time (or the event number), each performance in its
// plot colour, the main performance's current event marked.

#include <optional>

#include "ui/ChartView.h"

namespace rp {

class ChartFrame;

class TempoCurveView final : public ChartView {
  Q_OBJECT
 public:
  explicit TempoCurveView(QWidget* parent = nullptr);

  // Against the onset time in seconds, or against the event number.
  void SetAgainstEventNumber(bool byNumber);

  void Paint(QPainter& painter, const QRectF& area) const override;

  // Where the current-event mark is drawn on the window; none when nothing
  // is marked.
  std::optional<QPointF> MarkPosition() const;

 private:
  ChartFrame Frame(const QRectF& area) const;
  double XOf(const CurvePoint& point) const;
  std::optional<QPointF> Mark(const ChartFrame& frame) const;

  bool byNumber_ = false;
};

}  // namespace rp
