// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Legend.h"

#include "plot/PerformancePoints.h"
#include "plot/PlotPoints.h"

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

std::optional<TextItem> LegendText(const PlotPoints& points, std::int32_t clientWidth) {
  const std::vector<LegendLine> lines = LegendLines(points);
  if (lines.empty()) return std::nullopt;
  TextItem item;
  for (const LegendLine& line : lines) item.lines.push_back({line.text, line.colour});
  item.x = clientWidth - kRightMargin;
  item.y = kTop;
  item.align = TextAlign::Right;
  return item;
}

}  // namespace rp
