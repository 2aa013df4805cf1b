// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "base/TextWidth.h"

namespace rp {

namespace {

constexpr double kTickSize = 12.0;
constexpr double kAxisTitleSize = 13.0;
constexpr double kTitleSize = 15.0;
constexpr double kGap = 8.0;
constexpr double kSwatch = 18.0;
// The share of the width the legend may take at most.
constexpr double kMaxLegendShare = 0.4;
constexpr double kLineWidth = 1.25;
constexpr double kEmphasisedWidth = 2.0;
constexpr double kDotRadius = 2.5;
constexpr double kSmallDotRadius = 1.0;
constexpr std::size_t kManyDots = 20000;
constexpr double kCursorRadius = 5.0;
// A fading path: the segments before its head that fade in, and how faint
// the oldest part stays.
constexpr std::size_t kTrailSegments = 16;
constexpr double kFaintOpacity = 0.2;
constexpr double kHeadRadius = 4.0;
// A line of more points than this many per pixel of the plot's width is
// thinned to each pixel column's first, lowest, highest and last point.
constexpr double kThinningFactor = 4.0;

std::string TickText(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.6g", value);
  return text.data();
}

// Splits `points` at values that are not finite numbers.
std::vector<std::vector<ChartPixel>> Pieces(const ChartDrawing& drawing, const std::vector<ChartPoint>& points) {
  std::vector<std::vector<ChartPixel>> pieces(1);
  for (const ChartPoint& p : points) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
      if (!pieces.back().empty()) pieces.emplace_back();
      continue;
    }
    pieces.back().push_back(drawing.ToPixel(p));
  }
  if (pieces.back().empty()) pieces.pop_back();
  return pieces;
}

std::vector<ChartPixel> Thinned(const std::vector<ChartPixel>& line, double plotWidth) {
  if (static_cast<double>(line.size()) <= kThinningFactor * plotWidth) return line;
  std::vector<ChartPixel> thin;
  std::size_t i = 0;
  while (i < line.size()) {
    const ChartPixel first = line[i];
    const double column = std::floor(first.x);
    ChartPixel low = first;
    ChartPixel high = first;
    ChartPixel last = first;
    for (++i; i < line.size() && std::floor(line[i].x) == column; ++i) {
      if (line[i].y < low.y) low = line[i];
      if (line[i].y > high.y) high = line[i];
      last = line[i];
    }
    thin.insert(thin.end(), {first, low, high, last});
  }
  return thin;
}

void AddSeries(const ChartSeries& series, ChartTheme theme, ChartDrawing& drawing) {
  const ChartRgb colour = PerformanceColour(theme, series.performance);
  const double width = series.emphasised ? kEmphasisedWidth : kLineWidth;
  switch (series.shape) {
    case SeriesShape::Line:
    case SeriesShape::Outline:
      for (std::vector<ChartPixel>& piece : Pieces(drawing, series.points)) {
        DrawPath path{Thinned(piece, drawing.plotWidth), colour, width};
        path.closed = series.shape == SeriesShape::Outline;
        drawing.items.emplace_back(std::move(path));
      }
      return;
    case SeriesShape::Points: {
      DrawDots dots;
      for (std::vector<ChartPixel>& piece : Pieces(drawing, series.points))
        dots.centres.insert(dots.centres.end(), piece.begin(), piece.end());
      dots.radius = dots.centres.size() > kManyDots ? kSmallDotRadius : kDotRadius;
      dots.colour = colour;
      drawing.items.emplace_back(std::move(dots));
      return;
    }
    case SeriesShape::FadingPath: {
      if (series.points.empty()) return;
      const std::size_t head = std::min(series.head, series.points.size() - 1);
      std::vector<ChartPixel> pixels;
      for (std::size_t i = 0; i <= head; ++i) pixels.push_back(drawing.ToPixel(series.points[i]));
      const std::size_t trailStart = head > kTrailSegments ? head - kTrailSegments : 0;
      if (trailStart > 0)
        drawing.items.emplace_back(
            DrawPath{{pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(trailStart) + 1},
                     colour,
                     1.0,
                     kFaintOpacity});
      // The recent segments, each more opaque and wider than the one before.
      for (std::size_t i = trailStart; i < head; ++i) {
        // 0 for the segment into the head, nearly 1 for the oldest.
        const double age = static_cast<double>(head - i - 1) / static_cast<double>(kTrailSegments);
        drawing.items.emplace_back(DrawPath{{pixels[i], pixels[i + 1]},
                                            colour,
                                            1.0 + 2.0 * (1.0 - age),
                                            kFaintOpacity + (1.0 - kFaintOpacity) * (1.0 - age)});
      }
      drawing.items.emplace_back(DrawDots{{pixels[head]}, kHeadRadius, colour});
      return;
    }
  }
}

// The plot's cells as runs of filled rectangles, at most one cell a pixel.
void AddRaster(const ChartRaster& raster, ChartTheme theme, ChartDrawing& drawing) {
  if (raster.rows == 0 || raster.columns == 0) return;
  const std::size_t binColumns = std::min(raster.columns, static_cast<std::size_t>(std::max(1.0, drawing.plotWidth)));
  const std::size_t binRows = std::min(raster.rows, static_cast<std::size_t>(std::max(1.0, drawing.plotHeight)));
  std::vector<std::uint8_t> bins(binColumns * binRows, 0);
  for (std::size_t r = 0; r < raster.rows; ++r)
    for (std::size_t c = 0; c < raster.columns; ++c)
      if (raster.cells[r * raster.columns + c] != 0)
        bins[(r * binRows / raster.rows) * binColumns + c * binColumns / raster.columns] = 1;
  const double cellWidth = drawing.plotWidth / static_cast<double>(binColumns);
  const double cellHeight = drawing.plotHeight / static_cast<double>(binRows);
  const ChartRgb colour = PerformanceColour(theme, raster.performance);
  for (std::size_t r = 0; r < binRows; ++r) {
    std::size_t c = 0;
    while (c < binColumns) {
      if (bins[r * binColumns + c] == 0) {
        ++c;
        continue;
      }
      const std::size_t start = c;
      while (c < binColumns && bins[r * binColumns + c] != 0) ++c;
      // Row 0 at the bottom, as the y axis counts.
      drawing.items.emplace_back(
          DrawRect{drawing.plotLeft + static_cast<double>(start) * cellWidth,
                   drawing.plotTop + drawing.plotHeight - static_cast<double>(r + 1) * cellHeight,
                   static_cast<double>(c - start) * cellWidth, cellHeight, colour, std::nullopt});
    }
  }
}

}  // namespace

ChartPixel ChartDrawing::ToPixel(ChartPoint point) const {
  const double fx = (point.x - xMin) / (xMax - xMin);
  const double fy = (point.y - yMin) / (yMax - yMin);
  return {plotLeft + fx * plotWidth, plotTop + plotHeight - fy * plotHeight};
}

ChartDrawing LayOutChart(const ChartDescription& chart) {
  const ChartColours colours = ColoursOf(chart.theme);
  ChartDrawing drawing;
  drawing.width = chart.width;
  drawing.height = chart.height;
  drawing.title = chart.title;
  drawing.xMin = chart.x.min;
  drawing.xMax = chart.x.max > chart.x.min ? chart.x.max : chart.x.min + 1.0;
  drawing.yMin = chart.y.min;
  drawing.yMax = chart.y.max > chart.y.min ? chart.y.max : chart.y.min + 1.0;

  double tickWidth = 0.0;
  for (const double t : chart.y.ticks) tickWidth = std::max(tickWidth, EstimatedTextWidth(TickText(t), kTickSize));
  double sideWidth = 0.0;
  for (const ChartLegendEntry& entry : chart.legend)
    sideWidth = std::max(sideWidth, kSwatch + 6.0 + EstimatedTextWidth(entry.name, kTickSize));
  for (const std::string& note : chart.notes) sideWidth = std::max(sideWidth, EstimatedTextWidth(note, kTickSize));
  sideWidth = std::min(sideWidth, chart.width * kMaxLegendShare);
  const double left = kGap + kAxisTitleSize * 1.3 + tickWidth + kGap;
  const double top = chart.title.empty() ? 2.0 * kGap : kTitleSize * 1.6 + kGap;
  // Under the plot: its tick labels, then the x axis's name.
  const double axisNameDrop = kTickSize * 1.4 + kAxisTitleSize * 1.4;
  const double bottom = kGap + axisNameDrop;
  const double right = sideWidth > 0.0 ? sideWidth + 3.0 * kGap : 2.0 * kGap;
  drawing.plotLeft = left;
  drawing.plotTop = top;
  drawing.plotWidth = std::max(1.0, chart.width - left - right);
  drawing.plotHeight = std::max(1.0, chart.height - top - bottom);
  if (chart.square) drawing.plotWidth = drawing.plotHeight = std::min(drawing.plotWidth, drawing.plotHeight);
  const double plotRight = drawing.plotLeft + drawing.plotWidth;
  const double plotBottom = drawing.plotTop + drawing.plotHeight;

  auto& items = drawing.items;
  items.emplace_back(DrawRect{0.0, 0.0, chart.width, chart.height, colours.background, std::nullopt});
  if (!chart.title.empty())
    items.emplace_back(DrawText{chart.width / 2.0, kTitleSize * 1.2,
                                CutToWidth(chart.title, chart.width - 2.0 * kGap, kTitleSize, TextWeight::Bold),
                                kTitleSize, TextAnchor::Middle, colours.text, false, true});
  for (const double t : chart.x.ticks) {
    const double px = drawing.ToPixel({t, drawing.yMin}).x;
    items.emplace_back(DrawPath{{{px, drawing.plotTop}, {px, plotBottom}}, colours.grid});
    items.emplace_back(
        DrawText{px, plotBottom + kTickSize * 1.2, TickText(t), kTickSize, TextAnchor::Middle, colours.text});
  }
  for (const double t : chart.y.ticks) {
    const double py = drawing.ToPixel({drawing.xMin, t}).y;
    items.emplace_back(DrawPath{{{drawing.plotLeft, py}, {plotRight, py}}, colours.grid});
    items.emplace_back(
        DrawText{drawing.plotLeft - 4.0, py + kTickSize * 0.35, TickText(t), kTickSize, TextAnchor::End, colours.text});
  }
  // Right under the plot's tick labels also where a square plot leaves room below.
  items.emplace_back(DrawText{drawing.plotLeft + drawing.plotWidth / 2.0, plotBottom + axisNameDrop, chart.x.Title(),
                              kAxisTitleSize, TextAnchor::Middle, colours.text});
  items.emplace_back(DrawText{kGap + kAxisTitleSize, drawing.plotTop + drawing.plotHeight / 2.0, chart.y.Title(),
                              kAxisTitleSize, TextAnchor::Middle, colours.text, true});

  if (chart.raster) AddRaster(*chart.raster, chart.theme, drawing);
  if (chart.identityLine) {
    const double low = std::max(drawing.xMin, drawing.yMin);
    const double high = std::min(drawing.xMax, drawing.yMax);
    if (high > low)
      items.emplace_back(
          DrawPath{{drawing.ToPixel({low, low}), drawing.ToPixel({high, high})}, colours.identity, 1.0, 1.0, true});
  }
  for (const ChartSeries& series : chart.series) AddSeries(series, chart.theme, drawing);
  items.emplace_back(
      DrawRect{drawing.plotLeft, drawing.plotTop, drawing.plotWidth, drawing.plotHeight, std::nullopt, colours.frame});

  // The legend and the notes beside the plot.
  const double sideLeft = plotRight + 2.0 * kGap;
  double baseline = drawing.plotTop + kTickSize;
  for (const ChartLegendEntry& entry : chart.legend) {
    const ChartRgb colour = PerformanceColour(chart.theme, entry.performance);
    const double middle = baseline - kTickSize * 0.35;
    items.emplace_back(DrawPath{{{sideLeft, middle}, {sideLeft + kSwatch, middle}}, colour, 3.0});
    items.emplace_back(DrawText{sideLeft + kSwatch + 6.0, baseline,
                                CutToWidth(entry.name, sideWidth - kSwatch - 6.0, kTickSize), kTickSize,
                                TextAnchor::Start, colours.text});
    baseline += kTickSize * 1.5;
  }
  if (!chart.notes.empty()) baseline += kTickSize * 0.5;
  for (const std::string& note : chart.notes) {
    items.emplace_back(DrawText{sideLeft, baseline, CutToWidth(note, sideWidth, kTickSize), kTickSize,
                                TextAnchor::Start, colours.text});
    baseline += kTickSize * 1.4;
  }
  if (chart.cursor) {
    std::vector<DrawItem> cursor = LayOutCursor(*chart.cursor, drawing, chart.theme);
    items.insert(items.end(), cursor.begin(), cursor.end());
  }
  return drawing;
}

std::vector<DrawItem> LayOutCursor(const ChartCursor& cursor, const ChartDrawing& drawing, ChartTheme theme) {
  const ChartRgb colour = ColoursOf(theme).cursor;
  const ChartPixel at = drawing.ToPixel(cursor.at);
  std::vector<DrawItem> items;
  if (cursor.verticalLine)
    items.emplace_back(
        DrawPath{{{at.x, drawing.plotTop}, {at.x, drawing.plotTop + drawing.plotHeight}}, colour, 1.0, 1.0, true});
  items.emplace_back(DrawDots{{at}, kCursorRadius, colour, false});
  return items;
}

}  // namespace rp
