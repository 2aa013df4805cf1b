// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string_view>
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

// A range the user typed as "1-3" keeps events 0 to 2 and "18-20" the last
// three (17 to 19): neither end is lost or added, and the compared points stay
// beside the main events they stand by.
TEST(EventRange, KeepsTheFirstAndTheLastEventOfTheRange) {
  const Performance main = testing::MakePerformance(20);
  const ComparedPerformances compared = {testing::MakePerformance(20)};
  ScriptedDialogs dialogs;
  ViewState s;
  const auto keep = [&](std::string_view typed) {
    FillAllEventPoints(s, dialogs, main);
    FillComparedPoints(s, dialogs, main, compared);
    KeepEventRange(s, ParseEventSpan(typed));
  };
  keep("1-3");
  EXPECT_EQ(s.pointEvents, (Events{0, 1, 2}));
  ASSERT_EQ(s.points.Count(), 3u);
  EXPECT_EQ(MainEvents(s.compared.at(0)), (std::vector<std::int32_t>{0, 1, 2}));
  keep("18-20");
  EXPECT_EQ(s.pointEvents, (Events{17, 18, 19}));
  EXPECT_EQ(MainEvents(s.compared.at(0)), (std::vector<std::int32_t>{17, 18, 19}));
  keep("0-3");
  EXPECT_EQ(s.points.Count(), 20u) << "no range: every point";

  // The tail's placeholders stand for no event: a range drops them.
  ReplayPosition position;
  position.currentEvent = 1;
  position.tailLength = 3;
  FillTailPoints(s, dialogs, main, position);
  ASSERT_EQ(s.pointEvents, (Events{std::nullopt, std::nullopt, 0, 1}));
  KeepEventRange(s, EventSpan{0, 5});
  EXPECT_EQ(s.pointEvents, (Events{0, 1}));
}

}  // namespace
}  // namespace rp
