// SPDX-License-Identifier: GPL-3.0-or-later
// What a chart of the Statistics window costs, for a long performance of
// 100,000 events (generated: drifting intervals and velocities): describing
// the tempo curve and the Poincaré view, laying each out and writing it as
// SVG, and the current event's mark alone, which a replay moves with every
// event (aim: under 1 ms, so the mark keeps up with any replay); and the
// recurrence plot of its first 4,000 values.
//
// Run: build/bin/bench_charts [--benchmark_filter=...]

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "chart/ChartLayout.h"
#include "chart/ChartSvg.h"
#include "chart/StatisticsCharts.h"

namespace rp {
namespace {

constexpr int kEvents = 100000;

struct LongPerformance {
  EventColumns events;
  std::vector<MeasuredSeries> series;

  LongPerformance() {
    std::mt19937_64 random(7);
    std::normal_distribution<double> jitter(0.0, 25.0);
    double onset = 0.0;
    std::vector<double> velocities;
    for (int i = 0; i < kEvents; ++i) {
      events.onsetMs.push_back(onset);
      onset += 450.0 + 80.0 * std::sin(i / 300.0) + jitter(random);
      velocities.push_back(64.0 + 20.0 * std::sin(i / 70.0) + jitter(random) / 5.0);
    }
    events.velocities = velocities;
    StatisticsOptions options;
    options.permutations = 0;
    series = MeasureEvents(events, 1, 1, options);
  }
};

const LongPerformance& Long() {
  static const LongPerformance kLong;
  return kLong;
}

void DescribeLayOutAndWrite(benchmark::State& state, ChartKind kind) {
  const std::vector<ChartPerformance> shown = {{"long", &Long().series, Long().events.onsetMs, nullptr, false}};
  ChartRequest request;
  request.kind = kind;
  for (auto _ : state) benchmark::DoNotOptimize(ChartSvg(LayOutChart(DescribeChart(shown, request))).size());
}
BENCHMARK_CAPTURE(DescribeLayOutAndWrite, tempo, ChartKind::Tempo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DescribeLayOutAndWrite, poincare, ChartKind::Poincare)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DescribeLayOutAndWrite, recurrence, ChartKind::Recurrence)->Unit(benchmark::kMillisecond);

void MarkAlone(benchmark::State& state) {
  const std::vector<ChartPerformance> shown = {{"long", &Long().series, Long().events.onsetMs, nullptr, false}};
  ChartRequest request;
  std::int32_t event = 0;
  for (auto _ : state) {
    request.currentEvent = event;
    event = (event + 997) % kEvents;
    benchmark::DoNotOptimize(DescribeCursor(shown, request));
  }
}
BENCHMARK(MarkAlone)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rp

BENCHMARK_MAIN();
