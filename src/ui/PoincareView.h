// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Poincaré view: x_k+d against x_k of one series of every shown
// performance in its plot colour, with the identity line and each
// performance's SD1/SD2 ellipse; the main performance's current value is
// marked.

#include <optional>

#include "ui/ChartView.h"

namespace rp {

class ChartFrame;

class PoincareView final : public ChartView {
  Q_OBJECT
 public:
  explicit PoincareView(QWidget* parent = nullptr);

  // Where the point (x, y) of the data is drawn on the window.
  QPointF PixelOf(double x, double y) const;

 protected:
  void PaintBody(QPainter& painter, const QRectF& area) const override;
  void PaintMark(QPainter& painter, const QRectF& area) const override;

 private:
  ChartFrame Frame(const QRectF& area) const;
};

}  // namespace rp
