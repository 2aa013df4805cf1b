// SPDX-License-Identifier: GPL-3.0-or-later
// The replay's current event in the charts: the tempo curve marks the main
// performance's value there, the trajectories of all performances stop at
// the score position the main one has reached; the recurrence plot keeps to
// its first values. And the values each chart puts where: a measure over
// windows, a cross-recurrence paired by score position, the features
// against bars.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/StatisticsCharts.h"
#include "chart/WindowMeasures.h"

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

// Eight onsets whose intervals grow from 100 to 300 ms, in windows of 4
// events every 2: each window's mean interval at its first event.
TEST(StatisticsCharts, AMeasureOverWindowsStandsAtEachWindowsFirstEvent) {
  EventColumns events;
  events.onsetMs = {0, 100, 200, 300, 500, 700, 900, 1200};
  // A feature of events 1 and 5 counts in the windows that hold them.
  const std::vector<NamedSeries> features = {{SeriesKind::Spread, {12.0, 30.0}, {1, 5}}};
  StatisticsOptions options;
  options.permutations = 0;
  const WindowChoice windows{4, std::nullopt, 2};
  const std::vector<WindowedSeries> measured = MeasureWindows(events, features, windows, 1, 1, options);
  ASSERT_EQ(measured.size(), 2U);  // timing and spread
  ASSERT_EQ(measured[1].kind, SeriesKind::Spread);
  ASSERT_EQ(measured[1].windows.size(), 3U);
  EXPECT_EQ(measured[1].windows[0].statistics.n, 1);  // event 1
  EXPECT_EQ(measured[1].windows[1].statistics.n, 1);  // event 5 (events 2 to 5)
  EXPECT_EQ(*measured[1].windows[2].statistics.mean, 30.0);

  const std::vector<ChartPerformance> shown = {{"p", nullptr, events.onsetMs, nullptr, false, &measured, {}}};
  ChartRequest request;
  request.kind = ChartKind::Windows;
  request.windows = windows;
  const ChartDescription chart = DescribeChart(shown, request);
  ASSERT_EQ(chart.series.size(), 1U);
  const std::vector<ChartPoint>& points = chart.series[0].points;
  ASSERT_EQ(points.size(), 3U);  // events 1-4, 3-6, 5-8
  const double means[] = {100.0, 500.0 / 3.0, 700.0 / 3.0};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(points[i].x, 1.0 + 2.0 * static_cast<double>(i));
    EXPECT_NEAR(points[i].y, means[i], 1e-9);
  }
  EXPECT_EQ(chart.x.Title(), "first event of the window");
  EXPECT_EQ(chart.y.Title(), "mean (ms)");
  EXPECT_EQ(chart.title, "mean of timing, windows of 4 events every 2");
  request.measure = "area";
  EXPECT_EQ(DescribeChart(shown, request).y.Title(), "area (ms\u00b2)");
}

// One value each per event, the second performance leaving out score
// position 1: paired by position, the equal values recur on the diagonal
// alone; paired by index they would not.
TEST(StatisticsCharts, ACrossRecurrencePairsValuesByScorePosition) {
  const auto performance = [](std::vector<double> values, std::vector<std::int32_t> events) {
    std::vector<MeasuredSeries> series(1);
    series[0].series = {SeriesKind::Velocity, std::move(values), std::move(events)};
    return series;
  };
  const std::vector<MeasuredSeries> first = performance({10, 20, 30, 40}, {0, 1, 2, 3});
  const std::vector<MeasuredSeries> second = performance({10, 30, 40}, {0, 1, 2});
  const std::vector<double> firstBeats = {0, 1, 2, 3};
  const std::vector<double> secondBeats = {0, 2, 3};
  const std::vector<ChartPerformance> shown = {{"a", &first, {}, nullptr, false, nullptr, firstBeats},
                                               {"b", &second, {}, nullptr, false, nullptr, secondBeats}};
  ChartRequest request;
  request.kind = ChartKind::CrossRecurrence;
  request.series = SeriesKind::Velocity;
  request.recurrence.dimension = 1;
  request.recurrence.radius = 1.0;
  const ChartDescription chart = DescribeChart(shown, request);
  ASSERT_TRUE(chart.raster);
  ASSERT_EQ(chart.raster->rows, 3U);
  ASSERT_EQ(chart.raster->columns, 3U);
  for (std::size_t r = 0; r < 3; ++r)
    for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(chart.raster->cells[r * 3 + c], r == c ? 1 : 0) << r << "," << c;
  ASSERT_EQ(chart.legend.size(), 2U);
  EXPECT_EQ(chart.legend[1].name, "b");
  EXPECT_EQ(chart.notes.front(), "velocity, 3 score positions both played");

  // Without score positions there is nothing to pair.
  const std::vector<ChartPerformance> unaligned = {{"a", &first, {}, nullptr, false, nullptr, {}},
                                                   {"b", &second, {}, nullptr, false, nullptr, {}}};
  const ChartDescription none = DescribeChart(unaligned, request);
  EXPECT_FALSE(none.raster);
  EXPECT_EQ(none.notes.front(), "needs two performances aligned to a score");
}

// Melody leads at events 1 and 3 of a piece in 3/4 stand at their bars; the
// current event is marked at its bar.
TEST(StatisticsCharts, FeaturesStandAtTheirScorePositionsInBars) {
  ScoredEvents scored;
  scored.signature = {3, 4};
  scored.positions = {0, 1.5, 3, 4.5};
  scored.onsetMs = {0, 700, 1400, 2100};
  std::vector<MeasuredSeries> series(2);
  series[0].series = {SeriesKind::MelodyLead, {25.0, -5.0}, {1, 3}};
  series[1].series = {SeriesKind::Overlap, {40.0}, {2}};
  const std::vector<ChartPerformance> shown = {{"p", &series, scored.onsetMs, &scored, false, nullptr, {}}};
  ChartRequest request;
  request.kind = ChartKind::Features;
  request.currentEvent = 2;
  const ChartDescription chart = DescribeChart(shown, request);
  ASSERT_EQ(chart.series.size(), 2U);
  EXPECT_EQ(chart.series[0].points[0].x, 1.5);  // 1.5 quarters into bar 1
  EXPECT_EQ(chart.series[0].points[0].y, 25.0);
  EXPECT_EQ(chart.series[0].points[1].x, 2.5);
  EXPECT_EQ(chart.series[1].performance, 2U);  // the overlap's colour
  EXPECT_EQ(chart.series[1].points[0].x, 2.0);
  ASSERT_EQ(chart.legend.size(), 3U);
  EXPECT_EQ(chart.legend[0].name, "melody lead");
  EXPECT_EQ(chart.x.Title(), "score position (bars)");
  EXPECT_EQ(chart.y.Title(), "time (ms)");
  EXPECT_LE(chart.y.min, -5.0);
  ASSERT_TRUE(chart.cursor);
  EXPECT_EQ(chart.cursor->at.x, 2.0);
  EXPECT_TRUE(chart.cursor->verticalLine);
}

}  // namespace
}  // namespace rp
