// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/OnsetFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace rp::test {

std::vector<double> FindOnsets(const std::vector<std::int16_t>& samples, int rate, const OnsetOptions& options) {
  // Energy of 5 ms windows (longer than a period of the lowest piano
  // notes' strong partials) every half millisecond.
  const std::size_t window = static_cast<std::size_t>(rate / 200);
  const std::size_t hop = std::max<std::size_t>(1, static_cast<std::size_t>(rate / 2000));
  std::vector<double> energy;
  for (std::size_t start = 0; start + window <= samples.size(); start += hop) {
    double sum = 0;
    for (std::size_t i = start; i < start + window; ++i) sum += double(samples[i]) * samples[i];
    energy.push_back(sum / double(window));
  }
  const std::size_t lookBack = static_cast<std::size_t>(30.0 * rate / 1000.0 / double(hop));
  const std::size_t gap = static_cast<std::size_t>(options.minGapMs * rate / 1000.0 / double(hop));
  const double floor = options.floorRms * options.floorRms;

  std::vector<double> onsets;
  std::size_t lastHit = 0;
  bool any = false;
  for (std::size_t k = 1; k < energy.size(); ++k) {
    if (any && k - lastHit < gap) continue;
    if (energy[k] < floor) continue;
    // Compare with what sounded before this window began.
    const std::size_t shift = window / hop;
    if (k < shift + 1) continue;
    const std::size_t to = k - shift;
    const std::size_t from = to > lookBack ? to - lookBack : 0;
    const double quietest = *std::min_element(energy.begin() + long(from), energy.begin() + long(to));
    if (energy[k] < options.riseRatio * std::max(quietest, floor / options.riseRatio)) continue;
    // The attack begins in this window: take its first sample that stands
    // out of what sounded before by a tenth of the window's peak.
    const std::size_t begin = k * hop;
    const std::size_t end = std::min(samples.size(), begin + window);
    int peak = 0;
    for (std::size_t i = begin; i < end; ++i) peak = std::max(peak, std::abs(int(samples[i])));
    const double before = std::sqrt(quietest);
    const double threshold = std::max(0.1 * peak, 3.0 * before);
    std::size_t first = begin;
    for (std::size_t i = begin; i < end; ++i) {
      if (std::abs(int(samples[i])) >= threshold) {
        first = i;
        break;
      }
    }
    onsets.push_back(1000.0 * double(first) / rate);
    lastHit = k;
    any = true;
  }
  return onsets;
}

std::vector<std::int16_t> ToneBursts(const std::vector<std::size_t>& starts, std::size_t length, int rate) {
  std::vector<double> mix(length, 0.0);
  for (std::size_t s : starts) {
    for (std::size_t i = 0; i < 80 * std::size_t(rate) / 1000 && s + i < length; ++i) {
      const double t = double(i) / rate;
      mix[s + i] +=
          9000.0 * std::exp(-t * 25.0) * (std::sin(2 * M_PI * 261.6 * t) + 0.5 * std::sin(2 * M_PI * 523.2 * t));
    }
  }
  std::mt19937 noise(7);
  std::normal_distribution<double> hiss(0.0, 20.0);
  std::vector<std::int16_t> out(length);
  for (std::size_t i = 0; i < length; ++i)
    out[i] = std::int16_t(std::lround(std::clamp(mix[i] + hiss(noise), -32767.0, 32767.0)));
  return out;
}

std::vector<double> Intervals(const std::vector<double>& onsets) {
  std::vector<double> out;
  for (std::size_t i = 1; i < onsets.size(); ++i) out.push_back(onsets[i] - onsets[i - 1]);
  return out;
}

}  // namespace rp::test
