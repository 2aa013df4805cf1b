// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/ComparedPerformances.h"
#include "model/ReplayPosition.h"
#include "plot/DescribeFrame.h"
#include "plot/FullViewScale.h"
#include "plot/Legend.h"
#include "plot/MouseOver.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "support/InteractionScene.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPerformance.h"

namespace rp {
namespace {

constexpr Argb32 kGreen = 0xFF00AA00u;
constexpr Argb32 kMagenta = 0xFFC800C8u;

// A take of `count` events whose intervals lie `offset` ms above those of
// MakePerformance, read from `path`.
Performance Take(std::int32_t count, double offset, std::string path) {
  Performance p = testing::MakePerformance(count);
  for (OnsetEvent& e : p.events) {
    e.interval0 += offset;
    e.interval1 += offset;
    e.interval2 += offset;
  }
  p.sourcePath = std::move(path);
  return p;
}

// The full view of a main take of 120 events with whatever is compared, as
// the plot builds it.
struct Comparison {
  ViewState s;
  ScriptedDialogs dialogs;
  Performance main = Take(120, 0, "/takes/monday.txt");
  ComparedPerformances compared;

  Comparison() { testing::StartedView(s); }
  SceneDescription Show() {
    FillAllEventPoints(s, dialogs, main);
    FillComparedPoints(s, dialogs, main, compared);
    ApplyPerformanceSettings(s, main.settings);
    ScaleFullView(s, main);
    return DescribeFrame(s);
  }
};

// The spheres of the scene standing for group `group`'s points.
std::vector<SphereInstance> Group(const SceneDescription& scene, std::size_t group) {
  std::vector<SphereInstance> spheres;
  for (const SphereInstance& sphere : scene.spheres)
    if (sphere.point.group == group) spheres.push_back(sphere);
  return spheres;
}

TEST(CompareView, EachComparedTakeIsAGroupInItsColourInTheSharedScale) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.s.showConnectLines = true;
  c.s.showFloorShadows = true;
  SceneDescription scene = c.Show();
  ASSERT_EQ(c.s.compared.size(), 1u);
  const PointGroup& tuesday = c.s.compared[0];
  EXPECT_EQ(tuesday.name, "tuesday.mid");
  EXPECT_EQ(static_cast<Argb32>(tuesday.colour), kGreen);
  EXPECT_EQ(tuesday.points.Count(), 50u) << "as far as the shorter take reaches";
  EXPECT_EQ(c.s.points.Count(), 120u);
  EXPECT_LT(c.s.scale.low, 10.0);
  EXPECT_GT(c.s.scale.high, 2490.0) << "one scale over both";
  EXPECT_GT(tuesday.points.Item(49).x, 3.5f);
  EXPECT_LT(c.s.points.Item(0).x, -3.5f);
  const double lowOfTwo = c.s.scale.low;

  const std::vector<SphereInstance> group = Group(scene, 1);
  ASSERT_EQ(group.size(), 50u);
  EXPECT_EQ(group[0].point, (PointRef{1, 0}));
  EXPECT_FLOAT_EQ(group[0].colour.g, 170 / 255.f);
  EXPECT_EQ(Group(scene, 0).size(), 120u) << "the main points as before";

  // Its path and its floor shadow in its own colour: 49 lines each.
  int greenLines = 0;
  for (const LineSegment& line : scene.lines)
    if (line.colour.g == 170 / 255.f && line.colour.r == 0.0f) ++greenLines;
  EXPECT_EQ(greenLines, 98);

  // A third take: the next colour, the main one's event numbers only, and
  // the shared scale widens to its smaller values.
  c.compared.push_back(Take(200, -5, "/takes/wednesday.txt"));
  scene = c.Show();
  ASSERT_EQ(c.s.compared.size(), 2u);
  EXPECT_EQ(static_cast<Argb32>(c.s.compared[1].colour), kMagenta);
  EXPECT_EQ(c.s.compared[1].points.Count(), 120u);
  EXPECT_LT(c.s.scale.low, lowOfTwo);
  ASSERT_EQ(Group(scene, 2).size(), 120u);
  EXPECT_EQ(Group(scene, 2)[119].point, (PointRef{2, 119}));
  EXPECT_FLOAT_EQ(Group(scene, 2)[0].colour.b, 200 / 255.f);
}

// WCAG 2 relative luminance and contrast ratio.
double Luminance(Argb32 c) {
  double l = 0;
  for (const auto& [shift, weight] : {std::pair{16, 0.2126}, {8, 0.7152}, {0, 0.0722}}) {
    const double v = static_cast<double>((c >> shift) & 0xFFu) / 255.0;
    l += weight * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
  }
  return l;
}
double Contrast(Argb32 a, Argb32 b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(CompareView, TheLegendNamesEveryTakeAfterASwatchInReadableText) {
  Comparison c;
  EXPECT_EQ(c.Show().texts.size(), 2u) << "one performance has no legend, only the title (its name) and the caption";

  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.compared.push_back(Take(50, 10, "wednesday.txt"));
  SceneDescription scene = c.Show();
  const std::vector<LegendLine> lines = LegendLines(c.s);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "monday.txt");
  EXPECT_EQ(lines[0].pointColour, 0xFF0000FFu) << "blue point";
  EXPECT_EQ(lines[0].lineColour, 0xFFFFB000u) << "orange line";
  EXPECT_EQ(lines[1].text, "tuesday.mid");
  EXPECT_EQ(lines[1].pointColour, kGreen);
  EXPECT_EQ(lines[2].text, "wednesday.txt");
  EXPECT_EQ(lines[2].lineColour, kMagenta);

  // Names, lines and points right-aligned in columns towards the right edge, level with the title.
  ASSERT_EQ(scene.texts.size(), 5u);
  const TextItem& names = scene.texts[2];
  const TextItem& points = scene.texts[4];
  EXPECT_EQ(points.x, 596);
  EXPECT_LT(names.x, scene.texts[3].x);
  EXPECT_LT(scene.texts[3].x, points.x);
  for (const TextItem* column : std::initializer_list<const TextItem*>{&names, &scene.texts[3], &points}) {
    EXPECT_EQ(column->align, TextAlign::Right);
    EXPECT_EQ(column->y, 20);
    ASSERT_EQ(column->lines.size(), 3u);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(names.lines[i].text, lines[i].text);
    EXPECT_EQ(points.lines[i].colour, lines[i].pointColour);
  }

  // Every compared colour's name and the main one's stand out from the background by 4.5:1 or more.
  for (int k = 3; k <= 7; ++k) c.compared.push_back(Take(50, k, "take" + std::to_string(k) + ".txt"));
  scene = c.Show();
  ASSERT_EQ(scene.texts[2].lines.size(), 8u);
  for (const TextLine& name : scene.texts[2].lines)
    EXPECT_GE(Contrast(name.colour, scene.background), 4.5) << name.text;
  // So in the light look, on white.
  c.s.display.theme = PlotTheme::Light;
  scene = c.Show();
  EXPECT_EQ(scene.background, 0xFFFFFFFFu);
  for (const TextItem& text : scene.texts) {
    for (const TextLine& line : text.lines) {
      if (line.text.size() > 3) {
        EXPECT_GE(Contrast(line.colour, scene.background), 4.5) << line.text;
      }
    }
  }
}

TEST(CompareView, HoverOnAComparedPointNamesItsFileAndEvent) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.s.comparedPerformances = &c.compared;
  c.s.mainPerformance = &c.main;
  c.Show();
  const DataEntry& p = c.s.compared[0].points.Item(24);
  const glm::vec3 at = testing::ScreenOf(c.s, {p.x, p.y, p.z});
  MouseOver(c.s, at.x, at.y);
  ASSERT_TRUE(c.s.showHoverText);
  EXPECT_EQ(c.s.hoverText.front(), "tuesday.mid");
  ASSERT_GE(c.s.hoverText.size(), 2u);
  EXPECT_EQ(c.s.hoverText[1].rfind("event 2", 0), 0u) << "its own event number: " << c.s.hoverText[1];

  // The main points keep their label.
  const DataEntry& m = c.s.points.Item(49);
  const glm::vec3 main = testing::ScreenOf(c.s, {m.x, m.y, m.z});
  MouseOver(c.s, main.x, main.y);
  ASSERT_TRUE(c.s.showHoverText);
  EXPECT_EQ(c.s.hoverText.front(), "monday.txt");
}

TEST(CompareView, TheTailShowsTheSameEventNumbersInEveryTake) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "tuesday.mid"));
  c.compared.push_back(Take(45, 1000, "wednesday.txt"));
  ReplayPosition position;
  position.currentEvent = 47;
  position.tailLength = 5;
  FillTailPoints(c.s, c.dialogs, c.main, position);
  FillComparedTailPoints(c.s, c.dialogs, c.main, c.compared, position);
  ASSERT_EQ(c.s.compared.size(), 2u);
  const PointCollection& tuesday = c.s.compared[0].points;
  ASSERT_EQ(tuesday.Count(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(tuesday.Item(i).dataX, 10.0 * static_cast<double>(43 + i) + 2000) << i;
    EXPECT_EQ(tuesday.Item(i).dataSize, i == 5 ? 2.0 : 1.0) << "the current event at double size";
    EXPECT_EQ(static_cast<Argb32>(tuesday.Item(i).colour), kGreen);
  }
  const PointCollection& wednesday = c.s.compared[1].points;
  ASSERT_EQ(wednesday.Count(), 3u) << "events 43 to 45: that take ends there";
  EXPECT_EQ(wednesday.Item(0).dataX, 1430.0);
  EXPECT_EQ(wednesday.Item(2).dataSize, 1.0);

  // Near the start no placeholders: events from 1 on.
  position.currentEvent = 2;
  position.tailLength = 10;
  FillTailPoints(c.s, c.dialogs, c.main, position);
  FillComparedTailPoints(c.s, c.dialogs, c.main, c.compared, position);
  ASSERT_EQ(c.s.compared[0].points.Count(), 3u) << "beside the main tail's events 1 to 3";
  EXPECT_EQ(c.s.compared[0].points.Item(0).dataX, 2010.0);
}

}  // namespace
}  // namespace rp
