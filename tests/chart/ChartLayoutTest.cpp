// SPDX-License-Identifier: GPL-3.0-or-later
// A chart laid out and written as SVG: the plot maps the data range onto its
// rectangle, texts stand inside the chart once each, long lines are thinned
// without losing their extremes, a fading path ends at its head, a raster
// of more cells than pixels is binned, a square plot has its axis name
// under it at any size, and the SVG escapes its texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "base/TextWidth.h"
#include "chart/ChartLayout.h"
#include "chart/ChartSvg.h"

namespace rp {
namespace {

ChartDescription TwoPerformances() {
  ChartDescription chart;
  chart.title = "Two & more";
  chart.x = {"onset", "s", 0.0, 10.0, RoundTicks(0.0, 10.0, 6)};
  chart.y = {"tempo", "ms per beat", 100.0, 200.0, RoundTicks(100.0, 200.0, 6)};
  chart.legend = {{"p01 <first>", 0}, {"p02", 1}};
  return chart;
}

template <class Item>
std::vector<Item> ItemsOf(const ChartDrawing& drawing) {
  std::vector<Item> found;
  for (const DrawItem& item : drawing.items)
    if (const auto* i = std::get_if<Item>(&item)) found.push_back(*i);
  return found;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ChartLayout, MapsTheDataRangeOntoThePlotAndKeepsEveryTextInsideOnce) {
  ChartDescription chart = TwoPerformances();
  const ChartDrawing drawing = LayOutChart(chart);
  const ChartPixel low = drawing.ToPixel({0.0, 100.0});
  const ChartPixel high = drawing.ToPixel({10.0, 200.0});
  EXPECT_DOUBLE_EQ(low.x, drawing.plotLeft);
  EXPECT_DOUBLE_EQ(low.y, drawing.plotTop + drawing.plotHeight);
  EXPECT_DOUBLE_EQ(high.x, drawing.plotLeft + drawing.plotWidth);
  EXPECT_DOUBLE_EQ(high.y, drawing.plotTop);

  const std::vector<DrawText> texts = ItemsOf<DrawText>(drawing);
  for (const DrawText& t : texts) {
    EXPECT_GE(t.x, 0.0) << t.text;
    EXPECT_LE(t.x, chart.width) << t.text;
    EXPECT_GT(t.baseline, 0.0) << t.text;
    EXPECT_LE(t.baseline, chart.height) << t.text;
  }
  for (const std::string name : {"p01 <first>", "p02", "onset (s)", "tempo (ms per beat)", "Two & more"}) {
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [&](const DrawText& t) { return t.text == name; }), 1) << name;
  }
  // The legend stands right of the plot, the y axis's title turned.
  const auto legend = std::find_if(texts.begin(), texts.end(), [](const DrawText& t) { return t.text == "p02"; });
  EXPECT_GT(legend->x, drawing.plotLeft + drawing.plotWidth);
  EXPECT_TRUE(std::find_if(texts.begin(), texts.end(), [](const DrawText& t) {
                return t.text == "tempo (ms per beat)";
              })->upright);

  chart.square = true;
  const ChartDrawing square = LayOutChart(chart);
  EXPECT_DOUBLE_EQ(square.plotWidth, square.plotHeight);

  // A name too long for the legend's share of the width is cut short.
  chart.legend[1].name = std::string(200, 'n');
  const std::vector<DrawText> cut = ItemsOf<DrawText>(LayOutChart(chart));
  EXPECT_TRUE(std::any_of(cut.begin(), cut.end(), [](const DrawText& t) {
    return t.text.starts_with("nnn") && t.text.ends_with("\u2026") && t.text.size() < 150;
  }));
}

TEST(ChartLayout, ThinsALongLineKeepingItsExtremesAndEndsAFadingPathAtItsHead) {
  ChartDescription chart = TwoPerformances();
  ChartSeries line;
  for (int i = 0; i < 100000; ++i) line.points.push_back({i / 10000.0, 150.0 + 40.0 * std::sin(i * 0.37)});
  line.points[50000].y = 199.0;
  line.points[70000].y = 101.0;
  chart.series.push_back(line);
  ChartDrawing drawing = LayOutChart(chart);
  const std::vector<DrawPath> paths = ItemsOf<DrawPath>(drawing);
  const DrawPath& thinned = *std::max_element(paths.begin(), paths.end(), [](const DrawPath& a, const DrawPath& b) {
    return a.points.size() < b.points.size();
  });
  EXPECT_LE(thinned.points.size(), static_cast<std::size_t>(4 * drawing.plotWidth + 8));
  const auto [top, bottom] = std::minmax_element(thinned.points.begin(), thinned.points.end(),
                                                 [](const ChartPixel& a, const ChartPixel& b) { return a.y < b.y; });
  EXPECT_NEAR(top->y, drawing.ToPixel({0.0, 199.0}).y, 1e-9);
  EXPECT_NEAR(bottom->y, drawing.ToPixel({0.0, 101.0}).y, 1e-9);

  ChartSeries path;
  path.shape = SeriesShape::FadingPath;
  for (int i = 0; i < 50; ++i) path.points.push_back({i * 0.2, 100.0 + i * 2.0});
  path.head = 30;
  chart.series = {path};
  drawing = LayOutChart(chart);
  const std::vector<DrawDots> dots = ItemsOf<DrawDots>(drawing);
  ASSERT_EQ(dots.size(), 1U);
  EXPECT_DOUBLE_EQ(dots[0].centres[0].x, drawing.ToPixel(path.points[30]).x);
  double lastOpacity = 0.0;
  for (const DrawPath& p : ItemsOf<DrawPath>(drawing)) {
    // The path's pieces, not the legend's swatch right of the plot.
    if (p.colour != PerformanceColour(chart.theme, 0) || p.points[0].x > drawing.plotLeft + drawing.plotWidth) continue;
    EXPECT_GE(p.opacity, lastOpacity);
    lastOpacity = p.opacity;
    for (const ChartPixel& pixel : p.points) EXPECT_LE(pixel.x, drawing.ToPixel(path.points[30]).x + 1e-9);
  }
  EXPECT_DOUBLE_EQ(lastOpacity, 1.0);
}

TEST(ChartLayout, BinsARasterOfMoreCellsThanPixelsInsideThePlot) {
  ChartDescription chart = TwoPerformances();
  chart.square = true;
  ChartRaster raster{3000, 3000, std::vector<std::uint8_t>(3000 * 3000, 0), 1};
  for (std::size_t i = 0; i < 3000; ++i) raster.cells[i * 3000 + i] = 1;
  chart.raster = raster;
  const ChartDrawing drawing = LayOutChart(chart);
  std::size_t cells = 0;
  for (const DrawRect& r : ItemsOf<DrawRect>(drawing)) {
    if (r.fill != PerformanceColour(chart.theme, 1)) continue;
    ++cells;
    EXPECT_GE(r.x, drawing.plotLeft - 1e-9);
    EXPECT_LE(r.x + r.width, drawing.plotLeft + drawing.plotWidth + 1e-9);
    EXPECT_GE(r.y, drawing.plotTop - 1e-9);
  }
  // The diagonal: one run a pixel row, at most.
  EXPECT_GT(cells, 0U);
  EXPECT_LE(cells, static_cast<std::size_t>(drawing.plotHeight) + 1);
}

// Left, top, right and bottom of a text by the estimate the layout makes room with, with the usual ascent and descent.
std::array<double, 4> BoxOf(const DrawText& t) {
  const double width = EstimatedTextWidth(t.text, t.size, t.bold ? TextWeight::Bold : TextWeight::Normal);
  const double start = t.anchor == TextAnchor::Start ? 0.0 : t.anchor == TextAnchor::Middle ? -width / 2.0 : -width;
  if (t.upright) return {t.x - 0.93 * t.size, t.baseline - start - width, t.x + 0.24 * t.size, t.baseline - start};
  return {t.x + start, t.baseline - 0.93 * t.size, t.x + start + width, t.baseline + 0.24 * t.size};
}

TEST(ChartLayout, ASquarePlotHasItsAxisNameUnderItAndNoTextOverAnotherAtAnySize) {
  ChartDescription chart = TwoPerformances();
  chart.title = "Chopin op. 10/3, pianist 1: recurrence of the tempo";
  chart.x = chart.y = {"event", "", 1.0, 161.0, RoundTicks(1.0, 161.0, 6)};
  chart.square = true;
  chart.legend = {{"Chopin_op10_no3_p01.match", 0}};
  chart.notes = {"recurrence rate 0.100", "determinism 0.444", "radius 90 ms per beat"};
  chart.raster = ChartRaster{161, 161, std::vector<std::uint8_t>(161 * 161, 1), 0};
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{800, 500}, {600, 600}, {500, 900}, {420, 420}}) {
    chart.width = width;
    chart.height = height;
    const ChartDrawing drawing = LayOutChart(chart);
    const std::string where = std::to_string(width) + "x" + std::to_string(height);
    const std::vector<DrawText> texts = ItemsOf<DrawText>(drawing);
    const auto name =
        std::find_if(texts.begin(), texts.end(), [](const DrawText& t) { return !t.upright && t.text == "event"; });
    ASSERT_NE(name, texts.end());
    // Right under the tick labels (which it must not cover), with no band between.
    EXPECT_LE(name->baseline, drawing.plotTop + drawing.plotHeight + 12.0 * 1.5 + 13.0 * 1.5) << where;
    for (std::size_t a = 0; a < texts.size(); ++a) {
      const auto [left, top, right, bottom] = BoxOf(texts[a]);
      EXPECT_TRUE(left >= 0.0 && top >= 0.0 && right <= width && bottom <= height) << where << ": " << texts[a].text;
      for (std::size_t b = a + 1; b < texts.size(); ++b) {
        const auto [otherLeft, otherTop, otherRight, otherBottom] = BoxOf(texts[b]);
        EXPECT_FALSE(left < otherRight && otherLeft < right && top < otherBottom && otherTop < bottom)
            << where << ": " << texts[a].text << " covers " << texts[b].text;
      }
    }
  }
}

TEST(ChartSvg, WritesEveryShapeOnceWithItsTextsEscapedOnBaselines) {
  const ChartDrawing drawing = LayOutChart(TwoPerformances());
  const std::string svg = ChartSvg(drawing);
  EXPECT_NE(svg.find("width=\"800\" height=\"500\" viewBox=\"0 0 800 500\""), std::string::npos);
  EXPECT_EQ(Count(svg, "<text "), ItemsOf<DrawText>(drawing).size());
  EXPECT_EQ(Count(svg, ">p01 &lt;first&gt;</text>"), 1U);
  EXPECT_EQ(Count(svg, "Two &amp; more"), 2U);  // the document's title and the chart's
  EXPECT_EQ(Count(svg, "transform=\"rotate(-90 "), 1U);
  EXPECT_EQ(svg.find("dominant-baseline"), std::string::npos);
}

TEST(ChartDescription, TicksAreRoundAndInsideTheirRange) {
  EXPECT_EQ(RoundTicks(0.0, 1.0, 6), (std::vector<double>{0.0, 0.2, 0.4, 0.6, 0.8, 1.0}));
  const std::vector<double> around = RoundTicks(-0.3, 0.3, 6);
  EXPECT_NE(std::find(around.begin(), around.end(), 0.0), around.end());
  for (const double t : RoundTicks(1503.7, 2771.2, 6)) {
    EXPECT_GE(t, 1503.7);
    EXPECT_LE(t, 2771.2);
    EXPECT_EQ(std::fmod(t, 500.0), 0.0);
  }
  EXPECT_TRUE(RoundTicks(5.0, 5.0, 6).empty());
}

}  // namespace
}  // namespace rp
