// SPDX-License-Identifier: GPL-3.0-or-later
// The replay's current event in the charts: the tempo curve marks the main
// performance's value there, the trajectories of all performances stop at
// the score position the main one has reached; and the recurrence plot
// keeps to its first values.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/StatisticsCharts.h"

namespace rp {
namespace {

// A performance of `beats` quarters in 4/4, one event a beat, `msPerBeat`
// apart, louder towards its middle.
struct Scored {
  std::vector<MeasuredSeries> series;
  EventColumns events;
  ScoredEvents scored;

  Scored(int beats, double msPerBeat) {
    scored.signature = {4, 4};
    for (int b = 0; b < beats; ++b) {
      scored.positions.push_back(b);
      scored.onsetMs.push_back(b * msPerBeat + 7.0 * std::sin(b));
      scored.loudness.push_back(60.0 + 20.0 * std::sin(b * 3.14159 / beats));
      scored.barBeat.push_back(std::to_string(b / 4 + 1) + ":" + std::to_string(b % 4 + 1));
    }
    events.onsetMs = scored.onsetMs;
    events.velocities = scored.loudness;
    StatisticsOptions options;
    options.permutations = 0;
    series = MeasureEvents(events, 1, 1, options);
  }
  ChartPerformance Chart(const std::string& name) const { return {name, &series, events.onsetMs, &scored, false}; }
};

TEST(StatisticsCharts, TheCurrentEventMarksTheCurveAndEndsEveryTrajectoryAtItsScorePosition) {
  const Scored main(64, 500.0);
  const Scored faster(64, 400.0);
  const std::vector<ChartPerformance> shown = {main.Chart("main"), faster.Chart("faster")};
  ChartRequest request;
  request.currentEvent = 20;
  request.againstEventNumber = true;
  const ChartDescription curve = DescribeChart(shown, request);
  ASSERT_TRUE(curve.cursor);
  EXPECT_DOUBLE_EQ(curve.cursor->at.x, 21.0);  // event 20 is the 21st
  EXPECT_DOUBLE_EQ(curve.cursor->at.y, main.events.onsetMs[21] - main.events.onsetMs[20]);
  EXPECT_EQ(curve.x.Title(), "event");

  request.kind = ChartKind::Worm;
  const ChartDescription worm = DescribeChart(shown, request);
  ASSERT_EQ(worm.series.size(), 2U);
  // The faster performance's head is at the same beat as the main one's.
  const ChartSeries& head = worm.series[1];  // the main one, selected, drawn last
  EXPECT_EQ(head.performance, 0U);
  EXPECT_EQ(worm.series[0].head, head.head);
  EXPECT_LT(head.head, head.points.size() - 10);
  EXPECT_EQ(worm.x.Title(), "tempo (ms per quarter)");

  request.currentEvent.reset();
  for (const ChartSeries& s : DescribeChart(shown, request).series) EXPECT_EQ(s.head, s.points.size() - 1);

  // A bar of 4 quarters against bars: 16 bars of points from bar 1.
  request.kind = ChartKind::Bars;
  const ChartDescription bars = DescribeChart(shown, request);
  EXPECT_DOUBLE_EQ(bars.series[0].points.front().x, 1.0);
  EXPECT_LT(bars.series[0].points.back().x, 17.0);
}

TEST(StatisticsCharts, TheRecurrencePlotKeepsToItsFirstValues) {
  const Scored longOne(static_cast<int>(kMaxRecurrenceValues) + 500, 300.0);
  const std::vector<ChartPerformance> shown = {longOne.Chart("long")};
  ChartRequest request;
  request.kind = ChartKind::Recurrence;
  request.recurrence.dimension = 3;
  const ChartDescription chart = DescribeChart(shown, request);
  ASSERT_TRUE(chart.raster);
  EXPECT_EQ(chart.raster->rows, kMaxRecurrenceValues - 2);  // N - (m - 1) vectors
  EXPECT_EQ(chart.notes.front(), "timing, first 4000 values");
  EXPECT_EQ(chart.notes[1], "m 3, \u03c4 1, w 1");
  EXPECT_TRUE(chart.square);
}

}  // namespace
}  // namespace rp
