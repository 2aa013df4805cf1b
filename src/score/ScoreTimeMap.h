// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When a performance played each score position: the times of the aligned
// score onsets, and between and beyond them straight lines, so that a
// position no note starts at (a beat inside a long note) gets a time too.

#include <cstddef>
#include <vector>

namespace rp {

struct TimedPosition {
  double positionQuarters = 0.0;
  double timeMs = 0.0;
};

class ScoreTimeMap {
 public:
  ScoreTimeMap() = default;
  // `points` in any order; those that would make time run backwards against
  // the others are left out (the longest rising run of them is kept).
  explicit ScoreTimeMap(std::vector<TimedPosition> points);

  bool Empty() const { return points_.empty(); }
  const std::vector<TimedPosition>& Points() const { return points_; }
  // The time at `positionQuarters`: between two points on the line between
  // them, before the first and after the last on the line of the nearest two.
  double TimeAt(double positionQuarters) const;
  // The map with each point moved to where the points within `windowMs` of
  // it put it (the median of their times carried to it at the median of
  // their tempos), so that a short wrong stretch counts for little.
  ScoreTimeMap Smoothed(double windowMs) const;

 private:
  std::vector<TimedPosition> points_;
};

}  // namespace rp
