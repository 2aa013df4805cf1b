// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/TempoLoudness.h"

#include "model/UndefinedValue.h"

namespace rp {

std::vector<TrajectoryPoint> TempoLoudnessTrajectory(const BeatTempo& tempo, TempoUnit unit) {
  std::vector<TrajectoryPoint> trajectory;
  trajectory.reserve(tempo.rows.size());
  for (const BeatRow& row : tempo.rows) {
    if (!IsDefined(row.smoothedMsPerBeat) || !IsDefined(row.smoothedLoudness)) continue;
    trajectory.push_back(
        {TempoInUnit(row.smoothedMsPerBeat, unit), row.smoothedLoudness, row.onsetMs, row.barPosition});
  }
  return trajectory;
}

std::optional<std::size_t> TrajectoryPointAt(std::span<const TrajectoryPoint> trajectory, double timeMs) {
  // Onsets need not rise (a melody note may come late): the last point
  // reached in the order played.
  std::optional<std::size_t> at;
  for (std::size_t i = 0; i < trajectory.size(); ++i) {
    if (trajectory[i].onsetMs <= timeMs) at = i;
  }
  return at;
}

}  // namespace rp
