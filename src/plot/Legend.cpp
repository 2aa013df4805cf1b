// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/Legend.h"

#include <cmath>

#include "plot/OverlayLines.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotPoints.h"

namespace rp {

namespace {

constexpr std::int32_t kRightMargin = 10;
constexpr std::int32_t kTop = 20;  // level with the vertical-axis caption
// How far the names' colours lie from the point colours towards white.
constexpr double kTint = 0.65;
// The swatch's glyphs and their room, in ems of the font (a little more than
// they take in the usual fonts, so nothing overlaps).
constexpr const char* kPointGlyph = "\u25CF";  // a black circle
constexpr const char* kLineGlyph = "\u2501";   // a heavy horizontal line
constexpr double kGlyphEms = 0.75;
constexpr double kGapEms = 0.4;

std::uint32_t Channel(Argb32 colour, int shift) { return (colour >> shift) & 0xFFu; }

TextItem Column(std::int32_t right) {
  TextItem item;
  item.x = right;
  item.y = kTop;
  item.align = TextAlign::Right;
  return item;
}

}  // namespace

Argb32 LegendTextColour(Argb32 pointColour) {
  Argb32 tinted = 0xFF000000u;
  for (const int shift : {16, 8, 0}) {
    const double c = static_cast<double>(Channel(pointColour, shift));
    tinted |= static_cast<Argb32>(std::lround(c + (255.0 - c) * kTint)) << shift;
  }
  return tinted;
}

std::vector<LegendLine> LegendLines(const PlotPoints& points, bool alone) {
  std::vector<LegendLine> lines;
  if (points.compared.empty() && !alone) return lines;
  if (!points.pointsName.empty()) {
    const auto blue = static_cast<Argb32>(kEventColour);
    lines.push_back({points.pointsName, blue, kConnectColour, LegendTextColour(blue)});
  }
  for (const PointGroup& group : points.compared) {
    const auto colour = static_cast<Argb32>(group.colour);
    lines.push_back({group.name, colour, colour, LegendTextColour(colour)});
  }
  return lines;
}

std::vector<TextItem> LegendTexts(const PlotPoints& points, std::int32_t clientWidth, const FontDesc& font,
                                  bool alone) {
  const std::vector<LegendLine> lines = LegendLines(points, alone);
  if (lines.empty()) return {};
  // The font's em in pixels at 96 per inch.
  const double em = static_cast<double>(font.pointSize) * 96.0 / 72.0;
  const std::int32_t right = clientWidth - kRightMargin;
  TextItem pointColumn = Column(right);
  TextItem lineColumn = Column(right - static_cast<std::int32_t>(std::lround(kGlyphEms * em)));
  TextItem names = Column(right - static_cast<std::int32_t>(std::lround((2 * kGlyphEms + kGapEms) * em)));
  for (const LegendLine& line : lines) {
    pointColumn.lines.push_back({kPointGlyph, line.pointColour});
    lineColumn.lines.push_back({kLineGlyph, line.lineColour});
    names.lines.push_back({line.text, line.textColour});
  }
  return {std::move(names), std::move(lineColumn), std::move(pointColumn)};
}

}  // namespace rp
