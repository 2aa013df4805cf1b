// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of the Statistics window's pictures: the range of the data, the
// rectangle it is drawn in (the picture less room for the scales and their
// titles), the way from data to pixels, and the drawing of the background,
// the grid, the scales and the titles.

#include <QRectF>
#include <QString>

class QPainter;

namespace rp {

// The data a picture shows; starts empty and grows with each value.
struct DataRange {
  double xMin = 0.0;
  double xMax = 0.0;
  double yMin = 0.0;
  double yMax = 0.0;
  bool empty = true;

  void Include(double x, double y);
  // A little room around the values; a range of one value gets some width.
  DataRange Padded() const;
  // The same range on both scales, for a picture whose identity line must be
  // the diagonal.
  DataRange Square() const;
};

class ChartFrame {
 public:
  // `picture` is the whole area the picture is drawn into.
  ChartFrame(const QRectF& picture, const DataRange& range);

  QPointF ToPixel(double x, double y) const;
  const QRectF& PlotArea() const { return plot_; }
  const DataRange& Range() const { return range_; }

  // Background, grid, scales and titles; what the picture shows is drawn after.
  void Draw(QPainter& painter, const QString& xTitle, const QString& yTitle) const;

 private:
  QRectF picture_;
  QRectF plot_;
  DataRange range_;
};

}  // namespace rp
