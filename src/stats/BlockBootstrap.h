// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Confidence intervals of the measures by a moving-block bootstrap: each
// resample of a series of N values is ceil(N/L) blocks of L consecutive
// values, each block starting at (the next draw) mod (N − L + 1) (0-based),
// joined and cut to N values; the draws come from a std::mt19937_64 started
// from the random state, the resamples one after another. The interval of a
// measure at level c is the percentile interval of its values over the
// resamples that have it: the quantiles (1 − c)/2 and (1 + c)/2, each
// interpolated linearly between the order statistics (the value at
// quantile q of B sorted values v_0..v_B−1 lies at position q·(B − 1)).
// Keeping whole blocks keeps the dependence of neighbouring values, which a
// shuffle of single values would destroy.

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "stats/SeriesStatistics.h"

namespace rp {

inline constexpr std::int32_t kBootstrapResamples = 1000;

struct BootstrapSettings {
  double level = 0.95;                           // c, above 0 and below 1
  std::int64_t block = 0;                        // L; 0: the default of BootstrapBlock
  std::int32_t resamples = kBootstrapResamples;  // B
};

// L for a series of `count` values: the one asked for (at most N), or by
// default the cube root of N rounded, at least 1.
std::int64_t BootstrapBlock(std::size_t count, const BootstrapSettings& settings);

// One resample of `x` into `resample`.
void DrawBlockResample(std::span<const double> x, std::size_t block, std::mt19937_64& engine,
                       std::vector<double>& resample);

struct Interval {
  std::optional<double> lo;
  std::optional<double> hi;
};

// Empty when fewer than half of the `resamples` gave the measure (`values`
// holds those that did).
Interval PercentileInterval(std::vector<double> values, double level, std::size_t resamples);

// The intervals of `measures` (in that order) of the series, measured as
// ComputeSeriesStatistics does with `options`, but without rd_p and with the
// recurrence radius of the whole series kept for every resample.
std::vector<Interval> BootstrapIntervals(std::span<const double> x, std::int32_t delay,
                                         const StatisticsOptions& options, const BootstrapSettings& bootstrap,
                                         std::uint64_t randomState,
                                         std::span<std::optional<double> SeriesStatistics::*const> measures);

}  // namespace rp
