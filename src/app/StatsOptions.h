// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of `--stats` that choose how the measures are taken and what
// is printed beyond the whole-piece measures: `--permutations`,
// `--sampen-m`, `--sampen-r`, `--dfa-scales`, `--extended`,
// `--header-comments`, `--features`, the bootstrap (`--ci`, `--ci-block`,
// `--ci-resamples`), the windows (`--window`, `--step`, `--window-bars`) and
// the recurrence quantification (`--rqa` and `--rqa-*`).

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "chart/WindowMeasures.h"
#include "stats/BlockBootstrap.h"
#include "stats/SeriesStatistics.h"
#include "stats/SeriesWindows.h"

namespace rp {

struct StatsOptions {
  StatisticsOptions measures;
  std::optional<BootstrapSettings> ci;
  bool extended = false;        // r_d_pearson and the warning column
  bool headerComments = false;  // the conventions as comment lines before the header
  bool features = false;        // the series melody_lead, spread and overlap after those of the onsets
  std::optional<std::int64_t> windowEvents;
  std::optional<std::int32_t> windowBars;
  std::optional<std::int64_t> step;  // in events or bars as the window; default: the window's size
};

// Takes every option above and its value out of `args` (the last of each
// counts). A missing or out-of-range value or options that do not go
// together: one line on `err` and nothing.
std::optional<StatsOptions> TakeStatsOptions(std::vector<std::string>& args, std::ostream& err);

// The windows `options` ask for over the performance's events (by events or
// by bars); none and an error text when the performance has no bars to count.
std::vector<EventWindow> WindowsOf(const EventColumns& events, const StatsOptions& options, std::string& error);

// The windows as the Statistics window and `--chart windows` take them.
WindowChoice WindowChoiceOf(const StatsOptions& options);

}  // namespace rp
