// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart laid out: every shape in pixels, in drawing order, each drawn
// once. Texts stand on explicit baselines, so every backend places them
// alike; their widths are base/TextWidth's estimates from the font size
// (the layout needs no font), which decide the room left for them and where
// a text too long for it is cut.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "chart/ChartColours.h"
#include "chart/ChartDescription.h"

namespace rp {

struct ChartPixel {
  double x = 0.0;
  double y = 0.0;
};

struct DrawRect {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  std::optional<ChartRgb> fill;
  std::optional<ChartRgb> stroke;
  double strokeWidth = 1.0;
};

struct DrawPath {
  std::vector<ChartPixel> points;
  ChartRgb colour;
  double width = 1.0;
  double opacity = 1.0;
  bool dashed = false;
  bool closed = false;
};

struct DrawDots {
  std::vector<ChartPixel> centres;
  double radius = 2.0;
  ChartRgb colour;
  bool filled = true;  // else a ring of width 2
};

enum class TextAnchor { Start, Middle, End };

struct DrawText {
  double x = 0.0;
  double baseline = 0.0;  // before a rotation, which turns about (x, baseline)
  std::string text;
  double size = 12.0;  // pixels
  TextAnchor anchor = TextAnchor::Start;
  ChartRgb colour;
  bool upright = false;  // turned a quarter anticlockwise, read bottom to top
  bool bold = false;
};

using DrawItem = std::variant<DrawRect, DrawPath, DrawDots, DrawText>;

struct ChartDrawing {
  double width = 0.0;
  double height = 0.0;
  std::string title;  // of the document
  ChartRgb background;
  std::vector<DrawItem> items;
  // The plot's rectangle and the data range it shows.
  double plotLeft = 0.0;
  double plotTop = 0.0;
  double plotWidth = 1.0;
  double plotHeight = 1.0;
  double xMin = 0.0;
  double xMax = 1.0;
  double yMin = 0.0;
  double yMax = 1.0;

  ChartPixel ToPixel(ChartPoint point) const;
};

// The whole chart, its cursor included when it has one.
ChartDrawing LayOutChart(const ChartDescription& chart);

// The shapes of `cursor` in `drawing`, for a view that draws the chart once
// and the moving cursor over it.
std::vector<DrawItem> LayOutCursor(const ChartCursor& cursor, const ChartDrawing& drawing, ChartTheme theme);

}  // namespace rp
