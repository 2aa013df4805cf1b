// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ComparedPerformances.h"
#include "model/ReplayPosition.h"
#include "plot/DrawOverlays.h"
#include "plot/Legend.h"
#include "plot/MouseOver.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "support/FakeControlPanel.h"
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
  FakeControlPanel panel;
  ScriptedDialogs dialogs;
  RecordingDevice dev;
  Performance main = Take(120, 0, "/takes/monday.txt");
  ComparedPerformances compared;

  Comparison() {
    s.controlPanel = &panel;
    testing::SetWindowCamera(dev);
  }
  void Show() {
    FillAllEventPoints(s, dialogs, main);
    FillComparedPoints(s, dialogs, compared, static_cast<std::int32_t>(s.points.Count()));
    ApplyPerformanceSettings(s, main.settings);
    ComputeRanges(s);
    ScaleGraph(s);
    testing::BuildTestScene(s, dev);
  }
  float Green(const SceneNode& node) { return node.GetMesh(0)->GetMaterial()->diffuse.g; }
};

TEST(CompareView, EachComparedTakeIsAGroupInItsColourInTheSharedScale) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.Show();
  ASSERT_EQ(c.s.compared.size(), 1u);
  const PointGroup& tuesday = c.s.compared[0];
  EXPECT_EQ(tuesday.name, "tuesday.mid");
  EXPECT_EQ(static_cast<Argb32>(tuesday.colour), kGreen);
  EXPECT_EQ(tuesday.points.Count(), 50u) << "as far as the shorter take reaches";
  EXPECT_EQ(c.s.points.Count(), 100u);
  EXPECT_EQ(c.s.minX, 10.0);
  EXPECT_EQ(c.s.maxX, 2500.0) << "one range pass over both";
  EXPECT_FLOAT_EQ(tuesday.points.Item(50).x, 4.0f);

  ASSERT_TRUE(c.s.comparedUpper);
  ASSERT_EQ(c.s.comparedUpper->ChildCount(), 1);
  const auto group = c.s.comparedUpper->GetChild(0);
  ASSERT_EQ(group->ChildCount(), 50);
  EXPECT_EQ(group->GetChild(0)->name, "c1:1");
  EXPECT_FLOAT_EQ(c.Green(*group->GetChild(0)), 170 / 255.f);
  EXPECT_EQ(c.s.upperPoints->ChildCount(), 100) << "the main points as before";

  // Its path and its floor shadow in its own colour: 49 lines each.
  c.s.showConnectLines = true;
  c.s.showFloorShadows = true;
  DrawOverlays(c.s, c.dev);
  int greenLines = 0;
  for (const DeviceCall* call : c.dev.Calls("DrawVertices"))
    if (call->state.material.diffuse.g == 170 / 255.f && call->state.material.diffuse.r == 0.0f) ++greenLines;
  EXPECT_EQ(greenLines, 98);

  // A third take: the next colour, the main one's event numbers only, and
  // the shared scale widens to its smaller values.
  c.compared.push_back(Take(200, -5, "/takes/wednesday.txt"));
  c.Show();
  ASSERT_EQ(c.s.compared.size(), 2u);
  EXPECT_EQ(static_cast<Argb32>(c.s.compared[1].colour), kMagenta);
  EXPECT_EQ(c.s.compared[1].points.Count(), 100u);
  EXPECT_EQ(c.s.minX, 5.0);
  ASSERT_EQ(c.s.comparedUpper->ChildCount(), 2);
  EXPECT_EQ(c.s.comparedUpper->GetChild(1)->GetChild(99)->name, "c2:100");
  EXPECT_FLOAT_EQ(c.s.comparedUpper->GetChild(1)->GetChild(0)->GetMesh(0)->GetMaterial()->diffuse.b, 200 / 255.f);
}

TEST(CompareView, TheLegendNamesEveryTakeInItsColourRightAligned) {
  Comparison c;
  c.Show();
  EXPECT_TRUE(LegendLines(c.s).empty()) << "one performance has no legend";

  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.compared.push_back(Take(50, 10, "wednesday.txt"));
  c.Show();
  const std::vector<LegendLine> lines = LegendLines(c.s);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "monday.txt");
  EXPECT_EQ(lines[0].colour, 0xFF0000FFu);
  EXPECT_EQ(lines[1].text, "tuesday.mid");
  EXPECT_EQ(lines[1].colour, kGreen);
  EXPECT_EQ(lines[2].text, "wednesday.txt");
  EXPECT_EQ(lines[2].colour, kMagenta);

  auto font = c.dev.CreateFont(FontDesc{"DejaVu Sans", 12, 400});
  c.dev.calls.clear();
  DrawLegend(c.s, *font, 606);
  const auto drawn = c.dev.Calls("DrawText");
  ASSERT_EQ(drawn.size(), 3u);
  const auto& recording = static_cast<const RecordingFont&>(*font);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(drawn[i]->text, lines[i].text);
    EXPECT_EQ(drawn[i]->args[0], lines[i].colour);
    EXPECT_EQ(drawn[i]->rect.left + static_cast<std::int32_t>(lines[i].text.size()) * recording.CharWidth(), 596);
    EXPECT_EQ(drawn[i]->rect.top, 20 + static_cast<std::int32_t>(i) * recording.LineHeight());
  }
}

TEST(CompareView, HoverOnAComparedPointNamesItsFile) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "/takes/tuesday.mid"));
  c.Show();
  const DataEntry& p = c.s.compared[0].points.Item(25);
  const glm::vec3 at = testing::ScreenOf(c.dev, {p.x, p.y, p.z}, c.s.rootNode->GetMatrix());
  MouseOver(c.s, c.dev, at.x, at.y);
  ASSERT_TRUE(c.s.showHoverText);
  EXPECT_EQ(c.s.hoverText.substr(0, c.s.hoverText.find('\r')), "Note (tuesday.mid)");
  EXPECT_NE(c.s.hoverText.find("\r actual event n="), std::string::npos);

  // The main points keep their label.
  const DataEntry& m = c.s.points.Item(50);
  const glm::vec3 main = testing::ScreenOf(c.dev, {m.x, m.y, m.z}, c.s.rootNode->GetMatrix());
  MouseOver(c.s, c.dev, main.x, main.y);
  ASSERT_TRUE(c.s.showHoverText);
  EXPECT_EQ(c.s.hoverText.substr(0, c.s.hoverText.find('\r')), "Note");

  // A scene older than the groups names nothing.
  c.s.compared.clear();
  MouseOver(c.s, c.dev, at.x, at.y);
  EXPECT_FALSE(c.s.showHoverText);
}

TEST(CompareView, TheTailShowsTheSameEventNumbersInEveryTake) {
  Comparison c;
  c.compared.push_back(Take(50, 2000, "tuesday.mid"));
  c.compared.push_back(Take(45, 1000, "wednesday.txt"));
  ReplayPosition position;
  position.currentEvent = 48;
  position.tailLength = 5;
  FillComparedTailPoints(c.s, c.dialogs, c.compared, position);
  ASSERT_EQ(c.s.compared.size(), 2u);
  const PointCollection& tuesday = c.s.compared[0].points;
  ASSERT_EQ(tuesday.Count(), 6u);
  for (std::size_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(tuesday.Item(i).dataX, 10.0 * static_cast<double>(42 + i) + 2000) << i;
    EXPECT_EQ(tuesday.Item(i).dataSize, i == 6 ? 2.0 : 1.0) << "the current event at double size";
    EXPECT_EQ(static_cast<Argb32>(tuesday.Item(i).colour), kGreen);
  }
  const PointCollection& wednesday = c.s.compared[1].points;
  ASSERT_EQ(wednesday.Count(), 3u) << "events 43 to 45: that take ends there";
  EXPECT_EQ(wednesday.Item(1).dataX, 1430.0);
  EXPECT_EQ(wednesday.Item(3).dataSize, 1.0);

  // Near the start no placeholders: events from 2 on.
  position.currentEvent = 3;
  position.tailLength = 10;
  FillComparedTailPoints(c.s, c.dialogs, c.compared, position);
  ASSERT_EQ(c.s.compared[0].points.Count(), 2u);
  EXPECT_EQ(c.s.compared[0].points.Item(1).dataX, 2020.0);
}

}  // namespace
}  // namespace rp
