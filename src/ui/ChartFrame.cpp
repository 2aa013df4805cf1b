// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChartFrame.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "plot/AxisTicks.h"

namespace rp {

namespace {

// Room for the scales' numbers and titles, in pixels.
constexpr double kLeftMargin = 70.0;
constexpr double kBottomMargin = 46.0;
constexpr double kTopMargin = 14.0;
constexpr double kRightMargin = 18.0;
constexpr double kPadFraction = 0.04;
constexpr int kTargetTicks = 6;

const QColor kBackground(0x30, 0x30, 0x30);  // the plot window's
const QColor kGrid(0x48, 0x48, 0x48);
const QColor kScale(0xC0, 0xC0, 0xC0);

// A round step (plot/AxisTicks.h) that cuts `span` into about kTargetTicks
// pieces.
double TickStep(double span) { return RoundTickStep(span / kTargetTicks); }

}  // namespace

void DataRange::Include(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    xMin = xMax = x;
    yMin = yMax = y;
    empty = false;
    return;
  }
  xMin = std::min(xMin, x);
  xMax = std::max(xMax, x);
  yMin = std::min(yMin, y);
  yMax = std::max(yMax, y);
}

DataRange DataRange::Padded() const {
  if (empty) return {0.0, 1.0, 0.0, 1.0, false};
  DataRange r = *this;
  const auto widen = [](double& low, double& high) {
    const double span = high - low;
    const double pad = span > 0.0 ? span * kPadFraction : std::max(1.0, std::abs(low) * 0.1);
    low -= pad;
    high += pad;
  };
  widen(r.xMin, r.xMax);
  widen(r.yMin, r.yMax);
  return r;
}

DataRange DataRange::Square() const {
  DataRange r = *this;
  r.xMin = r.yMin = std::min(xMin, yMin);
  r.xMax = r.yMax = std::max(xMax, yMax);
  return r;
}

ChartFrame::ChartFrame(const QRectF& picture, const DataRange& range)
    : picture_(picture),
      plot_(picture.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin)),
      range_(range.empty ? range.Padded() : range) {
  if (plot_.width() < 1.0) plot_.setWidth(1.0);
  if (plot_.height() < 1.0) plot_.setHeight(1.0);
  if (range_.xMax <= range_.xMin) range_.xMax = range_.xMin + 1.0;
  if (range_.yMax <= range_.yMin) range_.yMax = range_.yMin + 1.0;
}

QPointF ChartFrame::ToPixel(double x, double y) const {
  const double fx = (x - range_.xMin) / (range_.xMax - range_.xMin);
  const double fy = (y - range_.yMin) / (range_.yMax - range_.yMin);
  return {plot_.left() + fx * plot_.width(), plot_.bottom() - fy * plot_.height()};
}

void ChartFrame::Draw(QPainter& painter, const QString& xTitle, const QString& yTitle) const {
  painter.save();
  painter.fillRect(picture_, kBackground);
  const QFontMetricsF metrics(painter.font());
  const double xStep = TickStep(range_.xMax - range_.xMin);
  for (double x = std::ceil(range_.xMin / xStep) * xStep; x <= range_.xMax; x += xStep) {
    const double px = ToPixel(x, range_.yMin).x();
    painter.setPen(kGrid);
    painter.drawLine(QPointF(px, plot_.top()), QPointF(px, plot_.bottom()));
    painter.setPen(kScale);
    const QString label = QString::number(std::abs(x) < xStep * 1e-9 ? 0.0 : x, 'g', 6);
    painter.drawText(QPointF(px - metrics.horizontalAdvance(label) / 2, plot_.bottom() + metrics.ascent() + 4), label);
  }
  const double yStep = TickStep(range_.yMax - range_.yMin);
  for (double y = std::ceil(range_.yMin / yStep) * yStep; y <= range_.yMax; y += yStep) {
    const double py = ToPixel(range_.xMin, y).y();
    painter.setPen(kGrid);
    painter.drawLine(QPointF(plot_.left(), py), QPointF(plot_.right(), py));
    painter.setPen(kScale);
    const QString label = QString::number(std::abs(y) < yStep * 1e-9 ? 0.0 : y, 'g', 6);
    painter.drawText(QPointF(plot_.left() - metrics.horizontalAdvance(label) - 4, py + metrics.ascent() / 2 - 1),
                     label);
  }
  painter.setPen(kScale);
  painter.drawRect(plot_);
  painter.drawText(QPointF(plot_.center().x() - metrics.horizontalAdvance(xTitle) / 2, picture_.bottom() - 6), xTitle);
  painter.translate(picture_.left() + metrics.ascent() + 2, plot_.center().y() + metrics.horizontalAdvance(yTitle) / 2);
  painter.rotate(-90.0);
  painter.drawText(QPointF(0, 0), yTitle);
  painter.restore();
}

}  // namespace rp
