// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PoincareView.h"

#include <QPainter>
#include <QPolygonF>

#include "plot/PerformancePoints.h"
#include "ui/ChartFrame.h"

namespace rp {

namespace {

constexpr double kPointRadius = 2.0;
constexpr double kMarkRadius = 5.0;
// Beyond this many points of one performance they are drawn as square dots.
constexpr std::size_t kMaxRoundPoints = 20000;
constexpr std::size_t kOutlinePoints = 96;
const QColor kIdentityLine(0x90, 0x90, 0x90);

}  // namespace

PoincareView::PoincareView(QWidget* parent) : ChartView(parent) {
  setObjectName(QStringLiteral("poincareView"));
  setWindowTitle(tr("Poincaré view"));
}

ChartFrame PoincareView::Frame(const QRectF& area) const {
  DataRange range;
  if (const ShownStatistics* shown = Shown()) {
    for (const ShownPerformance& p : *shown) {
      const MeasuredSeries* s = FindSeries(p, Kind());
      if (s == nullptr) continue;
      for (const PlanePoint& point : s->returnMap) range.Include(point.x, point.y);
      if (s->ellipse)
        for (const PlanePoint& point : EllipseOutline(*s->ellipse, kOutlinePoints)) range.Include(point.x, point.y);
    }
  }
  // The same scale both ways keeps the identity line and the ellipse's axes
  // on the diagonals.
  const QRectF square = [&area] {
    const double side = std::min(area.width(), area.height());
    return QRectF(area.center().x() - side / 2, area.top(), side, side);
  }();
  return {square, range.Square().Padded().Square()};
}

QPointF PoincareView::PixelOf(double x, double y) const { return Frame(QRectF(rect())).ToPixel(x, y); }

void PoincareView::PaintBody(QPainter& painter, const QRectF& area) const {
  painter.fillRect(area, QColor(0x30, 0x30, 0x30));
  const ChartFrame frame = Frame(area);
  const QString value = ValueTitle();
  frame.Draw(painter, tr("x(k): %1").arg(value), tr("x(k+d): %1").arg(value));
  painter.save();
  painter.setClipRect(frame.PlotArea());
  const DataRange& r = frame.Range();
  painter.setPen(QPen(kIdentityLine, 1.0, Qt::DashLine));
  painter.drawLine(frame.ToPixel(r.xMin, r.xMin), frame.ToPixel(r.xMax, r.xMax));
  const ShownStatistics* shown = Shown();
  if (shown != nullptr) {
    for (const int i : DrawingOrder()) {
      const ShownPerformance& p = (*shown)[static_cast<std::size_t>(i)];
      const MeasuredSeries* s = FindSeries(p, Kind());
      if (s == nullptr) continue;
      if (s->returnMap.size() > kMaxRoundPoints) {
        // Many points: square dots, which draw far faster than discs.
        QPolygonF dots;
        dots.reserve(static_cast<qsizetype>(s->returnMap.size()));
        for (const PlanePoint& point : s->returnMap) dots << frame.ToPixel(point.x, point.y);
        painter.setPen(QPen(p.colour, 2.0 * kPointRadius, Qt::SolidLine, Qt::SquareCap));
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawPoints(dots);
        painter.setRenderHint(QPainter::Antialiasing, true);
      } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(p.colour);
        for (const PlanePoint& point : s->returnMap)
          painter.drawEllipse(frame.ToPixel(point.x, point.y), kPointRadius, kPointRadius);
      }
      if (s->ellipse) {
        QPolygonF outline;
        for (const PlanePoint& point : EllipseOutline(*s->ellipse, kOutlinePoints))
          outline << frame.ToPixel(point.x, point.y);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(p.colour.lighter(130), i == Selected() ? 2.0 : 1.0));
        painter.drawPolygon(outline);
      }
    }
  }
  painter.restore();
}

// The main performance's current value: the point whose x is it.
void PoincareView::PaintMark(QPainter& painter, const QRectF& area) const {
  const ShownStatistics* shown = Shown();
  const MeasuredSeries* main = shown == nullptr || shown->empty() ? nullptr : FindSeries(shown->front(), Kind());
  if (main == nullptr || CurrentEvent() < 0) return;
  const std::optional<std::size_t> at = CurvePointAtEvent(main->curve, CurrentEvent());
  if (!at || *at >= main->returnMap.size()) return;
  const PlanePoint& point = main->returnMap[*at];
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor::fromRgba(static_cast<QRgb>(kCurrentEventColour)), 2.0));
  painter.drawEllipse(Frame(area).ToPixel(point.x, point.y), kMarkRadius, kMarkRadius);
  painter.restore();
}

}  // namespace rp
