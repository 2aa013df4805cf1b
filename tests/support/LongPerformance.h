// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Analysed performances made from a list of inter-onset intervals, for the
// plot's scale: a whole piece of thousands of events with long pauses, or
// any intervals a test names.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Performance.h"
#include "model/UndefinedValue.h"

namespace rp::testing {

// Events 1..intervals.size() + 1 at delay `d`: event k's intervals are
// intervals k, k + d and k + 2d (from 1), undefined past the last; its
// velocities likewise from 40 + k % 60; onsets from 0 by the intervals.
inline Performance PerformanceOfIntervals(const std::vector<double>& intervals, std::int32_t d = 1) {
  Performance performance;
  const std::size_t count = intervals.size() + 1;
  const auto interval = [&](std::size_t k) { return k <= intervals.size() ? intervals[k - 1] : kUndefinedValue; };
  const auto velocity = [&](std::size_t k) { return k <= count ? 40.0 + double(k % 60) : kUndefinedValue; };
  const auto step = static_cast<std::size_t>(d);
  double onset = 0.0;
  for (std::size_t k = 1; k <= count; ++k) {
    OnsetEvent e;
    e.onsetMs = onset;
    e.interval0 = interval(k);
    e.interval1 = interval(k + step);
    e.interval2 = interval(k + 2 * step);
    e.velocity0 = velocity(k);
    e.velocity1 = velocity(k + step);
    e.velocity2 = velocity(k + 2 * step);
    performance.events.push_back(e);
    if (k <= intervals.size()) onset += intervals[k - 1];
  }
  return performance;
}

// The intervals of a long piece: `count` onsets, mostly 80..400 ms with a
// slow swell and some jitter, every 500th interval a pause of 2 to 10 s.
inline std::vector<double> LongPieceIntervals(std::size_t count) {
  std::vector<double> intervals;
  std::uint32_t seed = 7562;
  for (std::size_t k = 1; k < count; ++k) {
    seed = seed * 1664525u + 1013904223u;
    const double jitter = double(seed >> 8) / double(1u << 24);
    double ms = 180.0 + 100.0 * std::sin(double(k) / 90.0) + 120.0 * jitter;
    if (k % 500 == 0) ms = 2000.0 + 8000.0 * jitter;
    intervals.push_back(ms);
  }
  return intervals;
}

}  // namespace rp::testing
