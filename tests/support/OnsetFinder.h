// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the note onsets in a recording of single notes (one key, one
// velocity, each note over before the next begins), to compare what a
// listener hears with the schedule. Every note has the same attack, so a
// constant detection delay cancels out of the inter-onset intervals; what
// remains is the finder's own jitter, about a quarter of a millisecond.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rp::test {

struct OnsetOptions {
  double minGapMs = 60.0;   // two onsets are at least this far apart
  double riseRatio = 8.0;   // energy rise over the quietest of the last 30 ms
  double floorRms = 200.0;  // nothing quieter counts (16-bit units)
};

// Onset times in milliseconds from the first sample, in order.
std::vector<double> FindOnsets(const std::vector<std::int16_t>& samples, int rate, const OnsetOptions& options = {});

// Made-up notes for the finder's tests: decaying two-partial tones of 80 ms
// starting at the given samples, over a little noise.
std::vector<std::int16_t> ToneBursts(const std::vector<std::size_t>& starts, std::size_t length, int rate);

// The differences between neighbouring onsets.
std::vector<double> Intervals(const std::vector<double>& onsets);

}  // namespace rp::test
