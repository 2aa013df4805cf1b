// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/OnsetRefinement.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "recording/SampleHistory.h"

namespace rp {

namespace {

// A rise counts when the energy of the two steps after it is this many times
// that of the two steps before.
constexpr double kMinRise = 2.0;

// The energy of the first difference (a first-order high-pass) of the samples
// from `from` to `to` (exclusive), within what the history holds.
double HighFrequencyEnergy(const SampleHistory& history, std::int64_t from, std::int64_t to) {
  from = std::max(from, history.Begin() + 1);
  to = std::min(to, history.End());
  double sum = 0.0;
  for (std::int64_t n = from; n < to; ++n) {
    const double d = static_cast<double>(history.At(n)) - history.At(n - 1);
    sum += d * d;
  }
  return sum;
}

// The first sample of the step where the high-frequency energy rises most
// near `estimate`, if any rises enough.
std::optional<std::int64_t> SteepestRise(const SampleHistory& history, std::int64_t estimate, int sampleRate) {
  const auto step = std::max<std::int64_t>(1, std::llround(sampleRate / 1000.0));
  const std::int64_t from = std::max<std::int64_t>(
      history.Begin() + 1, estimate - std::llround(kRefineBeforeMs * sampleRate / 1000.0) - 2 * step);
  const std::int64_t to =
      std::min<std::int64_t>(history.End(), estimate + std::llround(kRefineAfterMs * sampleRate / 1000.0) + 2 * step);
  if (to - from < 5 * step) return std::nullopt;
  std::vector<double> energy(static_cast<std::size_t>((to - from) / step));
  for (std::size_t k = 0; k < energy.size(); ++k) {
    const std::int64_t begin = from + static_cast<std::int64_t>(k) * step;
    energy[k] = HighFrequencyEnergy(history, begin, begin + step);
  }
  double floor = 0.0;
  for (double e : energy) floor = std::max(floor, e);
  floor *= 1e-6;
  double best = kMinRise;
  std::optional<std::int64_t> found;
  for (std::size_t k = 2; k + 2 <= energy.size(); ++k) {
    const double rise = (energy[k] + energy[k + 1] + floor) / (energy[k - 1] + energy[k - 2] + floor);
    if (rise > best) {
      best = rise;
      found = from + static_cast<std::int64_t>(k) * step;
    }
  }
  return found;
}

// From the step before the rise at `rise` on, the first sample whose change
// reaches a quarter of the largest change in the two steps of the rise: the
// click's first sample.
std::int64_t FirstSampleOfRise(const SampleHistory& history, std::int64_t rise, int sampleRate) {
  const auto step = std::max<std::int64_t>(1, std::llround(sampleRate / 1000.0));
  const std::int64_t from = std::max(history.Begin() + 1, rise - step);
  const std::int64_t to = std::min(history.End(), rise + 2 * step);
  double largest = 0.0;
  for (std::int64_t n = std::max(from, rise); n < to; ++n) {
    largest = std::max(largest, std::fabs(static_cast<double>(history.At(n)) - history.At(n - 1)));
  }
  for (std::int64_t n = from; n < to; ++n) {
    if (std::fabs(static_cast<double>(history.At(n)) - history.At(n - 1)) >= 0.25 * largest) return n;
  }
  return rise;
}

}  // namespace

std::int64_t RefineOnset(const SampleHistory& history, std::int64_t estimate, int sampleRate) {
  const std::optional<std::int64_t> rise = SteepestRise(history, estimate, sampleRate);
  return rise ? FirstSampleOfRise(history, *rise, sampleRate) : estimate;
}

}  // namespace rp
