// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Statistics window shows: for each shown performance (the main one
// first, then the compared ones in their order) its name, its plot colour
// and its measured series. Made once per change of the performances or the
// settings, away from the window's thread, and only read afterwards.

#include <QColor>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/WindowMeasures.h"
#include "stats/BlockBootstrap.h"
#include "stats/MeasuredSeries.h"

namespace rp {

struct Performance;

struct ShownPerformance {
  QString name;      // as the legend shows it
  std::string path;  // the file, for the CSV
  QColor colour;
  std::vector<MeasuredSeries> series;
  std::vector<double> onsetMs;         // of its events, in order
  std::optional<ScoredEvents> scored;  // for one aligned to its score
  bool loudnessInDb = false;           // a recording's levels, not MIDI velocities
  // With a confidence level chosen: for each series, the intervals of the
  // measures of IntervalMeasures(), in that order.
  std::vector<std::vector<Interval>> intervals{};
  std::vector<WindowedSeries> windows{};  // when windows are chosen
  std::vector<double> scoreBeats{};       // each event's score position, for one aligned to its score
};

using ShownStatistics = std::vector<ShownPerformance>;

// A shown performance before it is measured: a copy of its events.
struct StatisticsSource {
  QString name;
  std::string path;
  QColor colour;
  EventColumns events;
  std::optional<ScoredEvents> scored;
  bool loudnessInDb = false;
  // The measures of chords and the melody line, for performances that have them.
  std::vector<NamedSeries> features;
};

// The copy of `performance`, which is shown in `colour`.
StatisticsSource CopyForStatistics(const Performance& performance, QColor colour);

// How the window measures beyond the measures of whole series: the
// bootstrap intervals (at the level `--stats --ci` takes) and the windows.
struct ShownExtras {
  std::optional<BootstrapSettings> ci;
  WindowChoice windows;
};

// The measures that get an interval, in the table's order (those of
// StatisticsColumns for which one means something).
std::vector<std::optional<double> SeriesStatistics::*> IntervalMeasures();

// Measures every source as `options` and `extras` choose; safe in any thread.
std::shared_ptr<const ShownStatistics> MeasureShown(const std::vector<StatisticsSource>& sources, std::int32_t delay,
                                                    std::uint64_t randomState, const StatisticsOptions& options = {},
                                                    const ShownExtras& extras = {});

// `performance`'s series of `kind`, nullptr when it has none.
const MeasuredSeries* FindSeries(const ShownPerformance& performance, SeriesKind kind);

}  // namespace rp
