// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "model/Performance.h"
#include "stats/PerformanceSeries.h"

namespace rp {
namespace {

TEST(PerformanceSeries, TimingAndVelocityComeFromEveryOnsetEvent) {
  Performance performance = Performance::Empty();
  const std::vector<double> onsets{100, 600, 1350, 2350, 2600};
  performance.events.assign(onsets.size(), OnsetEvent{});
  for (std::size_t k = 0; k < onsets.size(); ++k) {
    performance.events[k].onsetMs = onsets[k];
    performance.events[k].velocity0 = static_cast<double>(60 + k);
  }
  const std::vector<NamedSeries> series = SeriesOfPerformance(performance);
  ASSERT_EQ(series.size(), 2U);
  EXPECT_EQ(series[0].kind, SeriesKind::Timing);
  EXPECT_EQ(series[0].values, (std::vector<double>{500, 750, 1000, 250}));
  EXPECT_EQ(series[1].kind, SeriesKind::Velocity);
  EXPECT_EQ(series[1].values, (std::vector<double>{60, 61, 62, 63, 64}));
}

TEST(PerformanceSeries, TempoIsTimingPerScoreBeat) {
  // The second pair shares a score position (a chord played apart): no value.
  const EventColumns events{{0, 500, 520, 1520}, std::nullopt, std::vector<double>{0, 1, 1, 1.5}, std::nullopt};
  const std::vector<NamedSeries> series = SeriesFromEvents(events);
  ASSERT_EQ(series.size(), 2U);
  EXPECT_EQ(series[1].kind, SeriesKind::Tempo);
  EXPECT_EQ(series[1].values, (std::vector<double>{500, 2000}));
  EXPECT_EQ(SeriesName(series[1].kind), "tempo");
}

}  // namespace
}  // namespace rp
