// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Poincaré view: x_k+d against x_k of one series of every shown
// performance, with the identity line and each performance's SD1/SD2
// ellipse; the main performance's current value is marked.

#include <QPointF>

#include "ui/ChartView.h"

namespace rp {

class PoincareView final : public ChartView {
  Q_OBJECT
 public:
  explicit PoincareView(QWidget* parent = nullptr);

  // Where the point (x, y) of the data is drawn on the window.
  QPointF PixelOf(double x, double y) const;
};

}  // namespace rp
