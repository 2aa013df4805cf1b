// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChartPainter.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <cmath>

#include "chart/ChartSvg.h"
#include "io/FileReplacement.h"

namespace rp {

namespace {

// The chart's pixels are 1/96 inch.
constexpr double kChartDpi = 96.0;

QColor ColourOf(ChartRgb colour, double opacity = 1.0) {
  QColor c(colour.r, colour.g, colour.b);
  c.setAlphaF(static_cast<float>(opacity));
  return c;
}

QPolygonF Polygon(const std::vector<ChartPixel>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const ChartPixel& p : points) polygon << QPointF(p.x, p.y);
  return polygon;
}

struct ItemPainter {
  QPainter& painter;

  void operator()(const DrawRect& r) const {
    const QRectF rect(r.x, r.y, r.width, r.height);
    if (r.fill) painter.fillRect(rect, ColourOf(*r.fill));
    if (r.stroke) {
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(ColourOf(*r.stroke), r.strokeWidth));
      painter.drawRect(rect);
    }
  }
  void operator()(const DrawPath& p) const {
    QPen pen(ColourOf(p.colour, p.opacity), p.width, p.dashed ? Qt::CustomDashLine : Qt::SolidLine, Qt::FlatCap,
             Qt::RoundJoin);
    // The SVG's dashes of 5 and gaps of 4 pixels, in units of the pen's width.
    if (p.dashed) pen.setDashPattern({5.0 / p.width, 4.0 / p.width});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (p.closed) {
      painter.drawPolygon(Polygon(p.points));
    } else {
      painter.drawPolyline(Polygon(p.points));
    }
  }
  void operator()(const DrawDots& d) const {
    if (d.filled) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(ColourOf(d.colour));
    } else {
      painter.setPen(QPen(ColourOf(d.colour), 2.0));
      painter.setBrush(Qt::NoBrush);
    }
    for (const ChartPixel& c : d.centres) painter.drawEllipse(QPointF(c.x, c.y), d.radius, d.radius);
  }
  void operator()(const DrawText& t) const {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(t.size)));
    font.setBold(t.bold);
    painter.setFont(font);
    painter.setPen(ColourOf(t.colour));
    const QString text = QString::fromStdString(t.text);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    const double shift = t.anchor == TextAnchor::Start ? 0.0 : t.anchor == TextAnchor::Middle ? -width / 2 : -width;
    painter.save();
    painter.translate(t.x, t.baseline);
    if (t.upright) painter.rotate(-90.0);
    painter.drawText(QPointF(shift, 0.0), text);
    painter.restore();
  }
};

}  // namespace

void PaintChartItems(QPainter& painter, const std::vector<DrawItem>& items) {
  const ItemPainter itemPainter{painter};
  for (const DrawItem& item : items) std::visit(itemPainter, item);
}

bool DrawChartFile(const ChartDrawing& drawing, const QString& path, const QString& to, double dpi) {
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QFile file(to);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const std::string svg = ChartSvg(drawing);
    return file.write(svg.data(), static_cast<qint64>(svg.size())) == static_cast<qint64>(svg.size());
  }
  if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    QPdfWriter pdf(to);
    pdf.setResolution(static_cast<int>(kChartDpi));
    pdf.setPageSize(QPageSize(QSizeF(drawing.width / kChartDpi, drawing.height / kChartDpi), QPageSize::Inch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(drawing.title));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChartItems(painter, drawing.items);
    return painter.end();
  }
  const double scale = dpi / kChartDpi;
  QImage image(static_cast<int>(std::lround(drawing.width * scale)),
               static_cast<int>(std::lround(drawing.height * scale)), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    PaintChartItems(painter, drawing.items);
  }
  return image.save(to, "PNG");
}

bool WriteChartFile(const ChartDrawing& drawing, const QString& path, double dpi) {
  FileReplacement file(path.toStdString());
  if (!file.Begin().empty()) return false;
  return DrawChartFile(drawing, path, QString::fromStdString(file.TemporaryPath()), dpi) && file.Commit().empty();
}

}  // namespace rp
