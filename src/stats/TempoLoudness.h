// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tempo–loudness trajectory of a performance aligned to its score: one
// point per beat in the plane of smoothed tempo (x) and smoothed loudness
// (y), in the order played, which a view draws as a path whose recent part
// follows the replay's current event. Loudness is the events' velocity (MIDI)
// or level in dB (a recording), as the performance holds it.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "stats/BeatTempo.h"

namespace rp {

struct TrajectoryPoint {
  double tempo = 0.0;     // smoothed, in the trajectory's unit
  double loudness = 0.0;  // smoothed
  double onsetMs = 0.0;   // the beat's onset
  double barPosition = 0.0;
};

// The beats of `tempo` with a smoothed tempo and loudness, in `unit`.
std::vector<TrajectoryPoint> TempoLoudnessTrajectory(const BeatTempo& tempo, TempoUnit unit);

// The point the replay stands at when it has reached `timeMs` (the current
// event's onset): the last whose onset is not after it; nothing before the
// first.
std::optional<std::size_t> TrajectoryPointAt(std::span<const TrajectoryPoint> trajectory, double timeMs);

}  // namespace rp
