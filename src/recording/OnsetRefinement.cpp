// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/OnsetRefinement.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "recording/SampleHistory.h"

namespace rp {

namespace {

// A rise counts when the energy of the two steps after it is this many times
// that of the two steps before.
constexpr double kMinRise = 2.0;

}  // namespace

std::int64_t RefineOnset(const SampleHistory& history, std::int64_t estimate, int sampleRate) {
  const auto step = std::max<std::int64_t>(1, std::llround(sampleRate / 1000.0));
  const std::int64_t from = std::max<std::int64_t>(history.Begin() + 1, estimate - std::llround(kRefineBeforeMs * sampleRate / 1000.0) - 2 * step);
  const std::int64_t to = std::min<std::int64_t>(history.End(), estimate + std::llround(kRefineAfterMs * sampleRate / 1000.0) + 2 * step);
  if (to - from < 5 * step) return estimate;
  // The energy of the first difference (a first-order high-pass) per step.
  std::vector<double> energy(static_cast<std::size_t>((to - from) / step));
  for (std::size_t k = 0; k < energy.size(); ++k) {
    const std::int64_t begin = from + static_cast<std::int64_t>(k) * step;
    double sum = 0.0;
    for (std::int64_t n = begin; n < begin + step; ++n) {
      const double d = static_cast<double>(history.At(n)) - history.At(n - 1);
      sum += d * d;
    }
    energy[k] = sum;
  }
  double floor = 0.0;
  for (double e : energy) floor = std::max(floor, e);
  floor *= 1e-6;
  double best = kMinRise;
  std::int64_t found = estimate;
  for (std::size_t k = 2; k + 2 <= energy.size(); ++k) {
    const double rise = (energy[k] + energy[k + 1] + floor) / (energy[k - 1] + energy[k - 2] + floor);
    if (rise > best) {
      best = rise;
      found = from + static_cast<std::int64_t>(k) * step;
    }
  }
  return found;
}

}  // namespace rp
