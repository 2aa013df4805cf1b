// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "stats/PerformanceSeries.h"
#include "stats/TempoCurve.h"

namespace rp {
namespace {

// A score-aligned performance whose second pair of events shares a score
// position: the tempo series has no value there, and its curve must still
// put each value at the onset of its own event.
TEST(TempoCurve, ValuesStandAtTheirEventsAndTheMarkFollowsTheReplay) {
  const EventColumns events{{0, 500, 520, 1520, 2020},
                            std::vector<double>{60, 61, 62, 63, 64},
                            std::vector<double>{0, 1, 1, 1.5, 2},
                            std::nullopt};
  const std::vector<NamedSeries> series = SeriesFromEvents(events);
  ASSERT_EQ(series.size(), 3U);

  const std::vector<CurvePoint> tempo = TempoCurve(series[2], events.onsetMs);
  ASSERT_EQ(tempo.size(), 3U);
  EXPECT_EQ(tempo[0].timeMs, 0);
  EXPECT_EQ(tempo[0].value, 500);
  EXPECT_EQ(tempo[1].event, 2);  // the value of events 3 and 4 (from 1)
  EXPECT_EQ(tempo[1].timeMs, 520);
  EXPECT_EQ(tempo[1].value, 2000);
  EXPECT_EQ(tempo[2].event, 3);

  EXPECT_FALSE(CurvePointAtEvent(tempo, -1));
  EXPECT_EQ(CurvePointAtEvent(tempo, 0), 0U);
  EXPECT_EQ(CurvePointAtEvent(tempo, 1), 0U);  // no value of its own: the one before stays marked
  EXPECT_EQ(CurvePointAtEvent(tempo, 2), 1U);
  EXPECT_EQ(CurvePointAtEvent(tempo, 4), 2U);  // the last event has no interval after it

  const std::vector<CurvePoint> velocity = TempoCurve(series[1], events.onsetMs);
  ASSERT_EQ(velocity.size(), 5U);
  EXPECT_EQ(velocity[4].timeMs, 2020);
  EXPECT_EQ(velocity[4].value, 64);
}

}  // namespace
}  // namespace rp
