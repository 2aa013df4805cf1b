// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Legend.h"

#include "plot/PerformancePoints.h"
#include "plot/PlotPoints.h"
#include "scene/GraphicsDevice.h"

namespace rp {

namespace {

constexpr std::int32_t kRightMargin = 10;
constexpr std::int32_t kTop = 20;  // level with the vertical-axis caption

}  // namespace

std::vector<LegendLine> LegendLines(const PlotPoints& points) {
  std::vector<LegendLine> lines;
  if (points.compared.empty()) return lines;
  if (!points.pointsName.empty()) lines.push_back({points.pointsName, static_cast<Argb32>(kEventColour)});
  for (const PointGroup& group : points.compared) lines.push_back({group.name, static_cast<Argb32>(group.colour)});
  return lines;
}

void DrawLegend(const PlotPoints& points, Font& font, std::int32_t clientWidth) {
  std::int32_t top = kTop;
  for (const LegendLine& line : LegendLines(points)) {
    Rect rect{0, 0, 0, 0};
    const std::int32_t height = font.MeasureText(line.text, rect);
    const std::int32_t left = clientWidth - kRightMargin - rect.right;
    font.DrawText(line.text, Rect{left, top, 0, 0}, line.colour);
    top += height;
  }
}

}  // namespace rp
