// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TempoCurveView.h"

namespace rp {

TempoCurveView::TempoCurveView(QWidget* parent) : ChartView(ChartKind::Tempo, parent) {
  setObjectName(QStringLiteral("tempoCurve"));
  setWindowTitle(tr("Tempo curve"));
}

void TempoCurveView::SetAgainstEventNumber(bool byNumber) {
  Request().againstEventNumber = byNumber;
  BodyChanged();
}

std::optional<QPointF> TempoCurveView::MarkPosition() const {
  const std::optional<ChartCursor> cursor = Cursor();
  if (!cursor) return std::nullopt;
  const ChartPixel at = Drawing().ToPixel(cursor->at);
  return QPointF(at.x, at.y);
}

}  // namespace rp
