// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/ScoreAlignedSeries.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/ScoreInfo.h"

namespace rp {

namespace {

// (score position, value) of each value whose event has a position, by position.
std::vector<std::pair<double, double>> ByPosition(const NamedSeries& series, std::span<const double> beats) {
  std::vector<std::pair<double, double>> placed;
  const std::size_t count = std::min(series.values.size(), series.events.size());
  for (std::size_t i = 0; i < count; ++i) {
    const auto event = static_cast<std::size_t>(series.events[i]);
    if (series.events[i] >= 0 && event < beats.size()) placed.emplace_back(beats[event], series.values[i]);
  }
  std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return placed;
}

}  // namespace

AlignedSeries AlignByScore(const NamedSeries& first, std::span<const double> firstBeats, const NamedSeries& second,
                           std::span<const double> secondBeats) {
  const std::vector<std::pair<double, double>> a = ByPosition(first, firstBeats);
  const std::vector<std::pair<double, double>> b = ByPosition(second, secondBeats);
  AlignedSeries aligned;
  std::size_t j = 0;
  for (const auto& [beat, value] : a) {
    while (j < b.size() && b[j].first < beat - kSamePositionBeats) ++j;
    if (j == b.size()) break;
    if (std::abs(b[j].first - beat) > kSamePositionBeats) continue;
    aligned.first.push_back(value);
    aligned.second.push_back(b[j].second);
    aligned.scoreBeats.push_back(beat);
    ++j;
  }
  return aligned;
}

}  // namespace rp
