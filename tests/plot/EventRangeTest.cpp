// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/EventRange.h"
#include "plot/PerformancePoints.h"
#include "plot/ViewState.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPerformance.h"

namespace rp {
namespace {

using Events = std::vector<std::optional<std::int32_t>>;

std::vector<std::int32_t> MainEvents(const PointGroup& group) {
  std::vector<std::int32_t> events;
  for (const AlignedPoint& at : group.pointEvents) events.push_back(at.mainEvent);
  return events;
}

// The range the user typed (events numbered from 1) keeps both of its ends:
// "1-3" starts at the first event (index 0), "18-20" ends at the last (index
// 19), and the compared points stay beside the main events they stand by.
TEST(EventRange, KeepsTheFirstAndTheLastEventOfTheRange) {
  const Performance main = testing::MakePerformance(20);
  const ComparedPerformances compared = {testing::MakePerformance(20)};
  ScriptedDialogs dialogs;
  ViewState s;
  const auto keep = [&](std::int32_t first, std::int32_t last) {
    FillAllEventPoints(s, dialogs, main);
    FillComparedPoints(s, dialogs, main, compared);
    KeepEventRange(s, first, last);
  };
  keep(1, 3);
  EXPECT_EQ(s.pointEvents, (Events{0, 1, 2}));
  ASSERT_EQ(s.points.Count(), 3u);
  EXPECT_EQ(MainEvents(s.compared.at(0)), (std::vector<std::int32_t>{0, 1, 2}));
  keep(18, 20);
  EXPECT_EQ(s.pointEvents, (Events{17, 18, 19}));
  EXPECT_EQ(MainEvents(s.compared.at(0)), (std::vector<std::int32_t>{17, 18, 19}));
  keep(20, 20);
  EXPECT_EQ(s.pointEvents, (Events{19}));
  keep(0, 2);
  EXPECT_EQ(s.pointEvents, (Events{0, 1})) << "an open start";
  keep(19, 0);
  EXPECT_EQ(s.pointEvents, (Events{18, 19})) << "an open end";

  // The tail's placeholders stand before the first event: only an open start keeps them.
  ReplayPosition position;
  position.currentEvent = 1;
  position.tailLength = 3;
  FillTailPoints(s, dialogs, main, position);
  KeepEventRange(s, 0, 1);
  EXPECT_EQ(s.pointEvents, (Events{std::nullopt, std::nullopt, 0}));
  FillTailPoints(s, dialogs, main, position);
  KeepEventRange(s, 1, 2);
  EXPECT_EQ(s.pointEvents, (Events{0, 1}));
}

TEST(EventRange, ParsesRangesAsTheUserNumbersEvents) {
  const std::optional<EventSpan> span = ParseEventSpan(" 1 - 20 ");
  ASSERT_TRUE(span.has_value());
  EXPECT_EQ(span->first, 1);
  EXPECT_EQ(span->last, 20);
  EXPECT_FALSE(ParseEventSpan("0-3").has_value()) << "events are numbered from 1";
  EXPECT_FALSE(ParseEventSpan("5-4").has_value());
}

}  // namespace
}  // namespace rp
