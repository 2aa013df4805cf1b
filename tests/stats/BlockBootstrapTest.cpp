// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "stats/BlockBootstrap.h"
#include "stats/SeriesWindows.h"

namespace rp {
namespace {

TEST(BlockBootstrap, ResamplesAreBlocksOfTheSeriesAndIntervalsArePercentiles) {
  EXPECT_EQ(BootstrapBlock(161, {}), 5);
  EXPECT_EQ(BootstrapBlock(1, {}), 1);
  EXPECT_EQ(BootstrapBlock(100, {0.95, 500, 10}), 100);
  // Each block is a run of consecutive values; the last is cut.
  std::vector<double> x(23);
  for (std::size_t k = 0; k < x.size(); ++k) x[k] = static_cast<double>(k);
  std::mt19937_64 engine(4);
  std::vector<double> resample;
  DrawBlockResample(x, 5, engine, resample);
  ASSERT_EQ(resample.size(), 23U);
  for (std::size_t k = 0; k < resample.size(); ++k) {
    if (k % 5 != 0) {
      EXPECT_EQ(resample[k], resample[k - 1] + 1.0) << k;
    }
  }
  DrawBlockResample(x, 23, engine, resample);
  EXPECT_EQ(resample, x);

  const Interval middle = PercentileInterval({5, 1, 4, 2, 3}, 0.5, 5);
  EXPECT_EQ(*middle.lo, 2.0);
  EXPECT_EQ(*middle.hi, 4.0);
  EXPECT_DOUBLE_EQ(*PercentileInterval({1, 2}, 0.9, 2).lo, 1.05);
  EXPECT_FALSE(PercentileInterval({1, 2}, 0.9, 5).lo);  // fewer than half of the resamples

  // The same random state gives the same intervals; a constant series none wider than itself.
  std::normal_distribution<double> noise;
  std::vector<double> series(200);
  for (double& v : series) v = noise(engine);
  const std::vector<std::optional<double> SeriesStatistics::*> measures{&SeriesStatistics::mean,
                                                                        &SeriesStatistics::lagCorrelationPearson};
  const BootstrapSettings settings{0.9, 0, 100};
  const std::vector<Interval> first = BootstrapIntervals(series, 1, {}, settings, 7, measures);
  const std::vector<Interval> again = BootstrapIntervals(series, 1, {}, settings, 7, measures);
  EXPECT_EQ(*first[0].lo, *again[0].lo);
  EXPECT_EQ(*first[1].hi, *again[1].hi);
  EXPECT_LT(*first[0].lo, *first[0].hi);
  const std::vector<Interval> flat = BootstrapIntervals(std::vector<double>(50, 3.0), 1, {}, settings, 7, measures);
  EXPECT_EQ(*flat[0].lo, 3.0);
  EXPECT_EQ(*flat[0].hi, 3.0);
  EXPECT_FALSE(flat[1].lo);
}

TEST(SeriesWindows, WindowsFollowOneAnotherToTheLastEventOrBar) {
  const auto spans = [](const std::vector<EventWindow>& windows) {
    std::vector<std::pair<std::size_t, std::size_t>> s;
    for (const EventWindow& w : windows) s.emplace_back(w.first, w.last);
    return s;
  };
  using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
  EXPECT_EQ(spans(EventWindows(10, 4, 3)), (Spans{{0, 3}, {3, 6}, {6, 9}}));
  EXPECT_EQ(spans(EventWindows(10, 4, 4)), (Spans{{0, 3}, {4, 7}, {8, 9}}));
  EXPECT_EQ(spans(EventWindows(3, 5, 1)), (Spans{{0, 2}}));
  EXPECT_TRUE(EventWindows(0, 5, 1).empty());

  const std::vector<std::int32_t> bars{0, 1, 1, 2, 3, 3, 4};
  const std::vector<EventWindow> byBars = BarWindows(bars, 2, 2);
  EXPECT_EQ(spans(byBars), (Spans{{0, 2}, {3, 5}, {6, 6}}));
  EXPECT_EQ(*byBars[2].firstBar, 4);
  EXPECT_EQ(*byBars[2].lastBar, 5);
  // Bars without events give no window.
  EXPECT_EQ(spans(BarWindows(std::vector<std::int32_t>{1, 1, 5, 5}, 2, 2)), (Spans{{0, 1}, {2, 3}}));

  const EventColumns events{{0, 100, 250, 300}, std::vector<double>{1, 2, 3, 4}, std::nullopt, bars};
  const EventColumns part = WindowColumns(events, {1, 2, std::nullopt, std::nullopt});
  EXPECT_EQ(part.onsetMs, (std::vector<double>{100, 250}));
  EXPECT_EQ(*part.velocities, (std::vector<double>{2, 3}));
  EXPECT_EQ(*part.bars, (std::vector<std::int32_t>{1, 1}));
}

}  // namespace
}  // namespace rp
