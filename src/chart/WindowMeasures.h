// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measures of a performance's series taken window by window, for the
// curve of one measure over the windows: windows of N events moving M on, or
// of B bars moving S on, as `--stats --window`, `--step` and
// `--window-bars` take them, each series made from the window's events alone.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "stats/PerformanceSeries.h"
#include "stats/SeriesStatistics.h"
#include "stats/SeriesWindows.h"

namespace rp {

struct WindowChoice {
  std::optional<std::int64_t> events;  // N events a window
  std::optional<std::int32_t> bars;    // or B bars a window
  std::optional<std::int64_t> step;    // in events or bars as the window; default: the window's size

  bool Chosen() const { return events || bars; }
  bool operator==(const WindowChoice&) const = default;
};

// The windows `choice` asks for over the events; none when it asks for bars
// and the events have none, or for no windows at all.
std::vector<EventWindow> ChosenWindows(const EventColumns& events, const WindowChoice& choice);

struct WindowMeasure {
  std::size_t firstEvent = 0;            // 0-based
  std::optional<std::int32_t> firstBar;  // of windows by bars
  SeriesStatistics statistics;
};

struct WindowedSeries {
  SeriesKind kind = SeriesKind::Timing;
  std::vector<WindowMeasure> windows;
};

// Every series of the events (and the feature series `features`, whose
// values belong to the events their `events` name) measured in each window.
std::vector<WindowedSeries> MeasureWindows(const EventColumns& events, std::span<const NamedSeries> features,
                                           const WindowChoice& choice, std::int32_t delay, std::uint64_t randomState,
                                           const StatisticsOptions& options);

}  // namespace rp
