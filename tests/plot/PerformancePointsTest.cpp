// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "analysis/OnsetAnalysis.h"
#include "frontend/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/DescribeFrame.h"
#include "plot/EventPick.h"
#include "plot/MouseOver.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "plot/ViewState.h"
#include "support/InteractionScene.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPerformance.h"

namespace rp {
namespace {

struct View {
  ViewState s;
  ScriptedDialogs dialogs;
};

TEST(PerformancePoints, FullViewShowsEveryEventInTheChosenValues) {
  Performance performance = testing::MakePerformance(250);
  View v;
  v.s.points.Add(DataEntry{});  // whatever was shown before is dropped
  FillAllEventPoints(v.s, v.dialogs, performance);
  ASSERT_EQ(v.s.points.Count(), 250u);
  const DataEntry& first = v.s.points.Item(0);
  EXPECT_EQ(first.dataName, "Note");
  EXPECT_EQ(first.dataX, 10.0);
  EXPECT_EQ(first.dataY, 12.0) << "vertical: event n+2d";
  EXPECT_EQ(first.dataZ, 11.0) << "depth: event n+d";
  EXPECT_EQ(first.dataSize, 1.0);
  EXPECT_EQ(first.colour, static_cast<std::int32_t>(0xFF0000FFu));
  EXPECT_EQ(first.data, "");
  EXPECT_EQ(v.s.points.Item(249).dataX, 2500.0);

  performance = testing::MakePerformance(127);
  v.s.valueKind = ValueKind::Velocity;
  FillAllEventPoints(v.s, v.dialogs, performance);
  EXPECT_EQ(v.s.points.Count(), 127u);
  EXPECT_EQ(v.s.points.Item(99).dataX, 100.0);
  EXPECT_EQ(v.s.points.Item(99).dataZ, 101.0);

  performance = testing::MakePerformance(0);
  FillAllEventPoints(v.s, v.dialogs, performance);
  EXPECT_TRUE(v.s.points.Empty());
}

TEST(PerformancePoints, TailHasPlaceholdersBlueEventsAndTheOrangeCurrentOne) {
  const Performance performance = testing::MakePerformance(20);
  View v;
  ReplayPosition position;
  position.currentEvent = 4;
  position.tailLength = 10;
  FillTailPoints(v.s, v.dialogs, performance, position);
  ASSERT_EQ(v.s.points.Count(), 11u);
  for (std::size_t i = 0; i < 6; ++i) {  // before the first event
    const DataEntry& p = v.s.points.Item(i);
    EXPECT_EQ(p.dataName, "");
    EXPECT_EQ(p.dataSize, 0.0);
    EXPECT_EQ(p.colour, static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(p.dataX, 10.0) << "placeholders sit at event 1's values";
  }
  for (std::size_t i = 6; i < 10; ++i) {  // events 1 to 4
    const DataEntry& p = v.s.points.Item(i);
    EXPECT_EQ(p.dataName, "Note");
    EXPECT_EQ(p.dataSize, 1.0);
    EXPECT_EQ(p.colour, static_cast<std::int32_t>(0xFF0000FFu));
    EXPECT_EQ(p.dataX, 10.0 * static_cast<double>(i - 5));
  }
  const DataEntry& current = v.s.points.Item(10);
  EXPECT_EQ(current.dataX, 50.0);
  EXPECT_EQ(current.dataSize, 2.0);
  EXPECT_EQ(current.colour, -20480);

  // Event 1 as the current event: drawn orange after ten placeholders.
  position.currentEvent = 0;
  FillTailPoints(v.s, v.dialogs, performance, position);
  ASSERT_EQ(v.s.points.Count(), 11u);
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(v.s.points.Item(i).dataSize, 0.0);
  EXPECT_EQ(v.s.points.Item(10).dataSize, 2.0);
  EXPECT_EQ(v.s.points.Item(10).colour, kCurrentEventColour);
  EXPECT_EQ(EventOfPoint(v.s, 10), 0);
  EXPECT_EQ(EventOfPoint(v.s, 9), std::nullopt);

  // No file yet: one placeholder.
  position.currentEvent.reset();
  position.tailLength = 0;
  FillTailPoints(v.s, v.dialogs, performance, position);
  ASSERT_EQ(v.s.points.Count(), 1u);
  EXPECT_EQ(v.s.points.Item(0).dataSize, 0.0);

  position.currentEvent = 6;
  FillTailPoints(v.s, v.dialogs, performance, position);
  ASSERT_EQ(v.s.points.Count(), 1u);
  EXPECT_EQ(v.s.points.Item(0).dataSize, 2.0);
  EXPECT_EQ(v.s.points.Item(0).dataX, 70.0);
}

TEST(PerformancePoints, TailBeyondThePerformanceFailsWithThePointsMadeSoFar) {
  const Performance performance = testing::MakePerformance(5);
  View v;
  ReplayPosition position;
  position.currentEvent = 6;
  position.tailLength = 4;
  EXPECT_THROW(FillTailPoints(v.s, v.dialogs, performance, position), std::out_of_range);
  EXPECT_EQ(v.s.points.Count(), 3u) << "events 3, 4 and 5";
}

TEST(PerformancePoints, SettingsLeaveTheUsersDisplaySwitches) {
  ViewState s;
  s.showDropLines = true;  // switched on by the user
  s.showGlass = false;     // and off
  s.xValueFormat = "0";
  ApplyPerformanceSettings(s, AnalysisSettings{});
  EXPECT_EQ(s.captionNote, "");
  EXPECT_TRUE(s.showDropLines);
  EXPECT_FALSE(s.showGlass);
  EXPECT_TRUE(s.showConnectLines);
  EXPECT_TRUE(s.showFloorShadows);
  EXPECT_EQ(s.xValueFormat, "0.000");
  EXPECT_EQ(s.sizeValueFormat, "0.000");
  EXPECT_EQ(s.xAxisName, "event n");
  EXPECT_EQ(s.verticalAxisName, "event n+2d");
  EXPECT_EQ(s.depthAxisName, "event n+d");
  EXPECT_EQ(s.sizeName, "s");
  ApplyPerformanceSettings(s, AnalysisSettings{30, 3, {}});
  EXPECT_EQ(s.captionNote, "d = 3, cluster 30 ms");
}

// A double-click maps a sphere to its event: position p of the full view is
// event p; the tail starts at current - tail length, placeholders are none.
TEST(PerformancePoints, EveryPointKnowsItsEventInBothViews) {
  const Performance performance = testing::MakePerformance(20);
  View v;
  FillAllEventPoints(v.s, v.dialogs, performance);
  EXPECT_EQ(EventOfPoint(v.s, 0), 0);
  EXPECT_EQ(EventOfPoint(v.s, 19), 19);
  EXPECT_EQ(EventOfPoint(v.s, 20), std::nullopt);
  EXPECT_EQ(EventOfPoint(v.s, 200), std::nullopt);

  ReplayPosition position;
  position.currentEvent = 4;
  position.tailLength = 10;  // positions 0..10 stand for events -6..4
  FillTailPoints(v.s, v.dialogs, performance, position);
  for (std::size_t p = 0; p < 6; ++p) EXPECT_EQ(EventOfPoint(v.s, p), std::nullopt) << p;
  EXPECT_EQ(EventOfPoint(v.s, 6), 0);
  EXPECT_EQ(EventOfPoint(v.s, 10), 4);
  position.currentEvent = 17;
  position.tailLength = 3;
  FillTailPoints(v.s, v.dialogs, performance, position);
  EXPECT_EQ(EventOfPoint(v.s, 0), 14);
  EXPECT_EQ(EventOfPoint(v.s, 3), 17);
  v.s.points.Add(DataEntry{});  // a point added by others stands for no event
  EXPECT_EQ(EventOfPoint(v.s, 4), std::nullopt);
}

// Intervals 100, 200, 400, ...: event n on x, event n+d in depth and event
// n+2d vertically, as titled; events whose values run past the end have no
// point, and a replay standing on one says so under the caption.
TEST(PerformancePoints, ValuesStandOnTheAxesTheirTitlesNameAndUndefinedOnesNowhere) {
  Performance performance = Performance::Empty();
  performance.notes.assign(8, NoteEvent{0.0, 0.0, -1, true});
  for (std::size_t k = 1; k < 8; ++k) performance.notes[k].timeMs = 2 * performance.notes[k - 1].timeMs + 100;
  AnalyseOnsets(performance);
  View v;
  testing::StartedView(v.s);
  ApplyPerformanceSettings(v.s, performance.settings);
  FillAllEventPoints(v.s, v.dialogs, performance);
  ComputeRanges(v.s);
  ScaleGraph(v.s);
  ASSERT_EQ(DescribeFrame(v.s).spheres.size(), 5u) << "events 6 to 8 have no interval2";
  const DataEntry& third = v.s.points.Item(2);
  const glm::vec3 at = testing::ScreenOf(v.s, {third.x, third.y, third.z});
  MouseOver(v.s, at.x, at.y);
  ASSERT_EQ(v.s.hoverText.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(v.s.hoverText.begin() + 1, v.s.hoverText.end() - 1),
            (std::vector<std::string>{" event n=400.000", " event n+2d=1600.000", " event n+d=800.000"}));

  ReplayPosition position;
  position.currentEvent = 6;
  position.tailLength = 4;
  FillTailPoints(v.s, v.dialogs, performance, position);
  EXPECT_EQ(v.s.pointEvents, (std::vector<std::optional<std::int32_t>>{2, 3, 4}));
  v.s.showHoverText = false;
  const std::vector<TextLine> caption = DescribeFrame(v.s).texts.at(0).lines;
  ASSERT_EQ(caption.size(), 2u);
  EXPECT_EQ(caption[1].text, "event 7: no point (values past the end)");
  position.currentEvent = 4;
  FillTailPoints(v.s, v.dialogs, performance, position);
  EXPECT_EQ(DescribeFrame(v.s).texts.at(0).lines.size(), 1u);
}

}  // namespace
}  // namespace rp
