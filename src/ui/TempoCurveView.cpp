// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TempoCurveView.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>

#include "plot/PerformancePoints.h"
#include "ui/ChartFrame.h"

namespace rp {

namespace {

constexpr double kMarkRadius = 5.0;
// A curve of more values than this many per pixel of the picture's width is
// thinned before it is drawn.
constexpr std::size_t kThinningFactor = 4;

}  // namespace

TempoCurveView::TempoCurveView(QWidget* parent) : ChartView(parent) {
  setObjectName(QStringLiteral("tempoCurve"));
  setWindowTitle(tr("Tempo curve"));
}

void TempoCurveView::SetAgainstEventNumber(bool byNumber) {
  byNumber_ = byNumber;
  BodyChanged();
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

QPolygonF TempoCurveView::Line(const ChartFrame& frame, const std::vector<CurvePoint>& curve) const {
  QPolygonF line;
  const auto width = static_cast<std::size_t>(frame.PlotArea().width());
  if (curve.size() <= kThinningFactor * width) {
    line.reserve(static_cast<qsizetype>(curve.size()));
    for (const CurvePoint& point : curve) line << frame.ToPixel(XOf(point), point.value);
    return line;
  }
  // More values than the picture has room for: each pixel column's values
  // become a stroke from the first through the lowest and highest to the
  // last, which looks the same and draws in time.
  std::size_t i = 0;
  while (i < curve.size()) {
    const QPointF first = frame.ToPixel(XOf(curve[i]), curve[i].value);
    const auto column = std::floor(first.x());
    QPointF low = first;
    QPointF high = first;
    QPointF last = first;
    for (++i; i < curve.size(); ++i) {
      const QPointF p = frame.ToPixel(XOf(curve[i]), curve[i].value);
      if (std::floor(p.x()) != column) break;
      if (p.y() < low.y()) low = p;
      if (p.y() > high.y()) high = p;
      last = p;
    }
    line << first << low << high << last;
  }
  return line;
}

std::optional<QPointF> TempoCurveView::MarkPosition() const { return Mark(Frame(QRectF(rect()))); }

void TempoCurveView::PaintBody(QPainter& painter, const QRectF& area) const {
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
    const QPolygonF line = Line(frame, s->curve);
    // A pen of one pixel: wider ones cost seconds on a long zigzag curve.
    // The selected performance stands out by being drawn last.
    painter.setPen(QPen(p.colour, 1.0));
    painter.drawPolyline(line);
  }
  painter.restore();
}

void TempoCurveView::PaintMark(QPainter& painter, const QRectF& area) const {
  const ChartFrame frame = Frame(area);
  if (const std::optional<QPointF> mark = Mark(frame)) {
    painter.save();
    painter.setClipRect(frame.PlotArea());
    const QColor orange = QColor::fromRgba(static_cast<QRgb>(kCurrentEventColour));
    painter.setPen(QPen(orange, 1.0, Qt::DashLine));
    painter.drawLine(QPointF(mark->x(), frame.PlotArea().top()), QPointF(mark->x(), frame.PlotArea().bottom()));
    painter.setPen(QPen(orange, 2.0));
    painter.drawEllipse(*mark, kMarkRadius, kMarkRadius);
    painter.restore();
  }
}

}  // namespace rp
