// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tempo curve of the Statistics window: a series (intervals, tempo or
// velocities) drawn value by value against the onset time or the number of
// the event each value belongs to, with the replay's current event marked;
// or, for a performance aligned to its score, its tempo per beat against
// the score position in bars.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "stats/BeatTempo.h"
#include "stats/PerformanceSeries.h"

namespace rp {

struct CurvePoint {
  double timeMs = 0.0;     // the onset of the value's event
  double value = 0.0;      // x_k
  std::int32_t event = 0;  // the value's event, 0-based
};

// One point per value of `series`, in order; `onsetMs` are the onsets of the
// events the series was made from.
std::vector<CurvePoint> TempoCurve(const NamedSeries& series, std::span<const double> onsetMs);

// The point the replay stands at when `event` (0-based) is current: the last
// point whose event is not after it; empty before the first point.
std::optional<std::size_t> CurvePointAtEvent(std::span<const CurvePoint> curve, std::int32_t event);

// One beat's tempo at its place in the score.
struct ScoreCurvePoint {
  double barPosition = 0.0;  // 7.5: half-way through bar 7
  double value = 0.0;        // tempo in the curve's unit
  double onsetMs = 0.0;      // where the replay reaches it
};

// One point per beat of `tempo` with a tempo (smoothed or as played), in
// `unit`: the curve against bars, to be labelled with `TempoLabel`.
std::vector<ScoreCurvePoint> TempoCurveAgainstBars(const BeatTempo& tempo, TempoUnit unit, bool smoothed);

}  // namespace rp
