// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The charts of the Statistics window described from the shown
// performances: the tempo curve, the Poincaré view, the tempo against the
// score in bars, the tempo–loudness trajectory, the recurrence plot, a
// measure over the windows, the cross-recurrence plot of two performances
// and the features against the score. The window and `--chart` describe
// them here alike.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "chart/ChartDescription.h"
#include "chart/WindowMeasures.h"
#include "model/Beat.h"
#include "model/ValueKind.h"
#include "stats/BeatTempo.h"
#include "stats/MeasuredSeries.h"
#include "stats/Recurrence.h"

namespace rp {

// One shown performance, as the charts read it; the pointed-to data
// outlives the description's making.
struct ChartPerformance {
  std::string name;
  const std::vector<MeasuredSeries>* series = nullptr;
  std::span<const double> onsetMs;       // of its events, in order
  const ScoredEvents* scored = nullptr;  // for one aligned to its score
  bool loudnessInDb = false;             // a recording's levels, not MIDI velocities
  // Its series measured window by window, when windows are chosen.
  const std::vector<WindowedSeries>* windows = nullptr;
  std::span<const double> scoreBeats{};  // each event's score position, for one aligned to its score
};

struct ChartRequest {
  ChartKind kind = ChartKind::Tempo;
  ChartTheme theme = ChartTheme::Light;
  double width = 800.0;
  double height = 500.0;
  std::string title;
  SeriesKind series = SeriesKind::Timing;  // of the tempo curve, Poincaré view and recurrence plot
  bool againstEventNumber = false;         // the tempo curve's x: the event, not the onset in seconds
  TempoMeasure tempo;                      // its beat from the first score's time signature when none is chosen
  std::optional<double> smoothBeats;       // bars: none when empty; worm: a bar when empty
  RecurrenceSettings recurrence;
  int selected = 0;  // the performance drawn on top, the one of the recurrence plot and of the features
  int second = 1;    // the cross-recurrence plot's other performance
  // The windows' measure: a name of StatisticsColumns ("mean", "r_d", ...),
  // and the windows, which name the chart.
  std::string measure = "mean";
  WindowChoice windows;
  // The first performance's current event (0-based), marked; none when empty.
  std::optional<std::int32_t> currentEvent;
};

// What the Poincaré view's axes put before the series' quantity.
inline constexpr std::string_view kReturnMapX = "x(k): ";
inline constexpr std::string_view kReturnMapY = "x(k+d): ";

// A recurrence plot goes over at most this many values (the first ones).
inline constexpr std::size_t kMaxRecurrenceValues = 4000;

// The chart; a performance that lacks what the chart shows (no score for
// bars and the trajectory, no such series) is named in the legend and draws
// nothing.
ChartDescription DescribeChart(std::span<const ChartPerformance> performances, const ChartRequest& request);

// The mark of the main performance's current event alone, which a view
// draws over the kept chart as a replay moves it: far less work than the
// chart. None where the chart marks nothing (the trajectory's trail is
// part of the chart).
std::optional<ChartCursor> DescribeCursor(std::span<const ChartPerformance> performances, const ChartRequest& request);

// Whether the cursor of a chart of `kind` changes more than its mark (the
// trajectory's trail follows it).
bool CursorRedrawsChart(ChartKind kind);

}  // namespace rp
