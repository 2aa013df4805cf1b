// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The series the statistics are taken over, always from the onset events of
// the whole performance as analysed (never from the plot's interval columns,
// which are undefined for the last events); undefined values are left out:
// - timing: x_k = onset(k+1) − onset(k), k = 1..K−1, in ms;
// - velocity: x_k = the velocity of event k, k = 1..K;
// - tempo, for performances whose events have score positions: the timing
//   x_k divided by the score distance in beats of events k and k+1 (ms per
//   beat); a pair of events at the same score position gives no value.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "stats/BeatTempo.h"

namespace rp {

struct Performance;

// The last three are the measures of chords and the melody line (stats/FeatureSeries).
enum class SeriesKind { Timing, Velocity, Tempo, MelodyLead, Spread, Overlap };

// "timing", "velocity", "tempo", "melody_lead", "spread", "overlap": the names in the CSV output.
std::string_view SeriesName(SeriesKind kind);

struct NamedSeries {
  SeriesKind kind = SeriesKind::Timing;
  std::vector<double> values;
  // For each value, the 0-based index of the event it belongs to (event k
  // for x_k): where the tempo curve draws it and which value the current
  // event is.
  std::vector<std::int32_t> events;
};

// What the series are made of, one entry per onset event in order.
struct EventColumns {
  std::vector<double> onsetMs;
  std::optional<std::vector<double>> velocities;  // absent where events have none
  std::optional<std::vector<double>> scoreBeats;  // present for score-aligned performances
  // The bar of each event's score position (0 for an upbeat), for
  // score-aligned performances whose every event names its bar.
  std::optional<std::vector<std::int32_t>> bars;
};

// The series in the order timing, velocity, tempo, each one the events have.
std::vector<NamedSeries> SeriesFromEvents(const EventColumns& events);

// What `performance`'s onset events give the series: a copy, which another
// thread may measure while the performance changes.
EventColumns EventColumnsOf(const Performance& performance);

// The events of a performance aligned to its score, for tempo per beat and
// per bar: nothing for any other, and for one whose time signature is not
// N/D (its onsets in beats then have no known note value).
std::optional<ScoredEvents> ScoredEventsOf(const Performance& performance);

// The series of `performance`'s onset events.
std::vector<NamedSeries> SeriesOfPerformance(const Performance& performance);

}  // namespace rp
