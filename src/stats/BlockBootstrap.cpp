// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/BlockBootstrap.h"

#include <algorithm>
#include <cmath>

namespace rp {

std::int64_t BootstrapBlock(std::size_t count, const BootstrapSettings& settings) {
  const auto n = static_cast<std::int64_t>(count);
  if (settings.block > 0) return std::max<std::int64_t>(1, std::min(n, settings.block));
  return std::max<std::int64_t>(1, std::llround(std::cbrt(static_cast<double>(count))));
}

void DrawBlockResample(std::span<const double> x, std::size_t block, std::mt19937_64& engine,
                       std::vector<double>& resample) {
  resample.clear();
  const std::size_t starts = x.size() - block + 1;
  while (resample.size() < x.size()) {
    const std::size_t start = engine() % starts;
    const std::size_t take = std::min(block, x.size() - resample.size());
    resample.insert(resample.end(), x.begin() + static_cast<std::ptrdiff_t>(start),
                    x.begin() + static_cast<std::ptrdiff_t>(start + take));
  }
}

Interval PercentileInterval(std::vector<double> values, double level, std::size_t resamples) {
  if (values.empty() || 2 * values.size() < resamples) return {};
  std::sort(values.begin(), values.end());
  const auto quantile = [&](double q) {
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return values[below] + fraction * (values[above] - values[below]);
  };
  return {quantile((1.0 - level) / 2.0), quantile((1.0 + level) / 2.0)};
}

std::vector<Interval> BootstrapIntervals(std::span<const double> x, std::int32_t delay,
                                         const StatisticsOptions& options, const BootstrapSettings& bootstrap,
                                         std::uint64_t randomState,
                                         std::span<std::optional<double> SeriesStatistics::*const> measures) {
  std::vector<Interval> intervals(measures.size());
  if (x.empty() || !std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); })) return intervals;
  StatisticsOptions resampled = options;
  resampled.permutations = 0;
  if (options.recurrence) {
    resampled.recurrence->radius = RecurrenceRadius(x, *options.recurrence);
    if (!resampled.recurrence->radius) resampled.recurrence.reset();
  }
  const auto block = static_cast<std::size_t>(BootstrapBlock(x.size(), bootstrap));
  std::mt19937_64 engine(randomState);
  std::vector<std::vector<double>> values(measures.size());
  std::vector<double> resample;
  for (std::int32_t b = 0; b < bootstrap.resamples; ++b) {
    DrawBlockResample(x, block, engine, resample);
    const SeriesStatistics s = ComputeSeriesStatistics(resample, delay, randomState, resampled);
    for (std::size_t k = 0; k < measures.size(); ++k)
      if (const std::optional<double>& v = s.*measures[k]) values[k].push_back(*v);
  }
  for (std::size_t k = 0; k < measures.size(); ++k)
    intervals[k] =
        PercentileInterval(std::move(values[k]), bootstrap.level, static_cast<std::size_t>(bootstrap.resamples));
  return intervals;
}

}  // namespace rp
