// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PoincareView.h"

namespace rp {

PoincareView::PoincareView(QWidget* parent) : ChartView(ChartKind::Poincare, parent) {
  setObjectName(QStringLiteral("poincareView"));
  setWindowTitle(tr("Poincaré view"));
}

QPointF PoincareView::PixelOf(double x, double y) const {
  const ChartPixel at = Drawing().ToPixel({x, y});
  return {at.x, at.y};
}

}  // namespace rp
