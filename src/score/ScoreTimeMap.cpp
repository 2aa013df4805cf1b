// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreTimeMap.h"

#include <algorithm>
#include <cstddef>

namespace rp {

ScoreTimeMap::ScoreTimeMap(std::vector<TimedPosition> points) {
  std::sort(points.begin(), points.end(), [](const TimedPosition& a, const TimedPosition& b) {
    return a.positionQuarters < b.positionQuarters || (a.positionQuarters == b.positionQuarters && a.timeMs > b.timeMs);
  });
  // The longest run rising in time (patience sorting); the later times of a
  // position come first, so a run holds one point of each position.
  std::vector<std::size_t> tails;  // index of the last point of the best run of each length
  std::vector<std::ptrdiff_t> before(points.size(), -1);
  for (std::size_t i = 0; i < points.size(); ++i) {
    auto it = std::lower_bound(tails.begin(), tails.end(), i,
                               [&](std::size_t t, std::size_t k) { return points[t].timeMs < points[k].timeMs; });
    if (it != tails.begin()) before[i] = static_cast<std::ptrdiff_t>(*(it - 1));
    if (it == tails.end()) {
      tails.push_back(i);
    } else {
      *it = i;
    }
  }
  for (std::ptrdiff_t i = tails.empty() ? -1 : static_cast<std::ptrdiff_t>(tails.back()); i >= 0;
       i = before[static_cast<std::size_t>(i)]) {
    points_.push_back(points[static_cast<std::size_t>(i)]);
  }
  std::reverse(points_.begin(), points_.end());
}

double ScoreTimeMap::TimeAt(double positionQuarters) const {
  if (points_.empty()) return 0.0;
  if (points_.size() == 1) return points_.front().timeMs;
  auto it = std::lower_bound(points_.begin(), points_.end(), positionQuarters,
                             [](const TimedPosition& p, double q) { return p.positionQuarters < q; });
  if (it != points_.end() && it->positionQuarters == positionQuarters) return it->timeMs;
  if (it == points_.begin()) ++it;
  if (it == points_.end()) --it;
  const TimedPosition& a = *(it - 1);
  const TimedPosition& b = *it;
  return a.timeMs +
         (positionQuarters - a.positionQuarters) * (b.timeMs - a.timeMs) / (b.positionQuarters - a.positionQuarters);
}

ScoreTimeMap ScoreTimeMap::Smoothed(double windowMs) const {
  std::vector<TimedPosition> smooth;
  smooth.reserve(points_.size());
  std::vector<double> values;
  for (std::size_t k = 0; k < points_.size(); ++k) {
    const TimedPosition& at = points_[k];
    std::size_t first = k;
    while (first > 0 && points_[first - 1].timeMs >= at.timeMs - windowMs) --first;
    std::size_t end = k + 1;
    while (end < points_.size() && points_[end].timeMs <= at.timeMs + windowMs) ++end;
    values.clear();
    for (std::size_t m = first; m < end; ++m) {
      if (m != k)
        values.push_back((points_[m].timeMs - at.timeMs) / (points_[m].positionQuarters - at.positionQuarters));
    }
    if (values.empty()) {
      smooth.push_back(at);
      continue;
    }
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    const double msPerQuarter = values[values.size() / 2];
    values.clear();
    for (std::size_t m = first; m < end; ++m) {
      values.push_back(points_[m].timeMs + msPerQuarter * (at.positionQuarters - points_[m].positionQuarters));
    }
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    smooth.push_back({at.positionQuarters, values[values.size() / 2]});
  }
  return ScoreTimeMap(std::move(smooth));
}

}  // namespace rp
