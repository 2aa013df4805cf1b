// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TempoCurveView.h"

#include <QPainter>
#include <QPolygonF>

#include "plot/PerformancePoints.h"
#include "ui/ChartFrame.h"

namespace rp {

namespace {

constexpr double kMarkRadius = 5.0;

}  // namespace

TempoCurveView::TempoCurveView(QWidget* parent) : ChartView(parent) {
  setObjectName(QStringLiteral("tempoCurve"));
  setWindowTitle(tr("Tempo curve"));
}

void TempoCurveView::SetAgainstEventNumber(bool byNumber) {
  byNumber_ = byNumber;
  update();
}

double TempoCurveView::XOf(const CurvePoint& point) const {
  return byNumber_ ? static_cast<double>(point.event) + 1.0 : point.timeMs / 1000.0;
}

ChartFrame TempoCurveView::Frame(const QRectF& area) const {
  DataRange range;
  if (const ShownStatistics* shown = Shown()) {
    for (const ShownPerformance& p : *shown)
      if (const MeasuredSeries* s = FindSeries(p, Kind()))
        for (const CurvePoint& point : s->curve) range.Include(XOf(point), point.value);
  }
  return {area, range.Padded()};
}

std::optional<QPointF> TempoCurveView::Mark(const ChartFrame& frame) const {
  const ShownStatistics* shown = Shown();
  if (shown == nullptr || shown->empty() || CurrentEvent() < 0) return std::nullopt;
  const MeasuredSeries* s = FindSeries(shown->front(), Kind());
  if (s == nullptr) return std::nullopt;
  const std::optional<std::size_t> at = CurvePointAtEvent(s->curve, CurrentEvent());
  if (!at) return std::nullopt;
  const CurvePoint& point = s->curve[*at];
  return frame.ToPixel(XOf(point), point.value);
}

std::optional<QPointF> TempoCurveView::MarkPosition() const { return Mark(Frame(QRectF(rect()))); }

void TempoCurveView::Paint(QPainter& painter, const QRectF& area) const {
  const ChartFrame frame = Frame(area);
  frame.Draw(painter, byNumber_ ? tr("event") : tr("onset (s)"), ValueTitle());
  const ShownStatistics* shown = Shown();
  if (shown == nullptr) return;
  painter.save();
  painter.setClipRect(frame.PlotArea());
  for (const int i : DrawingOrder()) {
    const ShownPerformance& p = (*shown)[static_cast<std::size_t>(i)];
    const MeasuredSeries* s = FindSeries(p, Kind());
    if (s == nullptr) continue;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(s->curve.size()));
    for (const CurvePoint& point : s->curve) line << frame.ToPixel(XOf(point), point.value);
    painter.setPen(QPen(p.colour, i == Selected() ? 2.0 : 1.0));
    painter.drawPolyline(line);
  }
  if (const std::optional<QPointF> mark = Mark(frame)) {
    const QColor orange = QColor::fromRgba(static_cast<QRgb>(kCurrentEventColour));
    painter.setPen(QPen(orange, 1.0, Qt::DashLine));
    painter.drawLine(QPointF(mark->x(), frame.PlotArea().top()), QPointF(mark->x(), frame.PlotArea().bottom()));
    painter.setPen(QPen(orange, 2.0));
    painter.drawEllipse(*mark, kMarkRadius, kMarkRadius);
  }
  painter.restore();
}

}  // namespace rp
