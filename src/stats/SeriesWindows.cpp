// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SeriesWindows.h"

#include <algorithm>

namespace rp {

namespace {

template <class Value>
std::vector<Value> Slice(const std::vector<Value>& values, const EventWindow& window) {
  return {values.begin() + static_cast<std::ptrdiff_t>(window.first),
          values.begin() + static_cast<std::ptrdiff_t>(window.last + 1)};
}

}  // namespace

std::vector<EventWindow> EventWindows(std::size_t count, std::size_t size, std::size_t step) {
  std::vector<EventWindow> windows;
  if (count == 0 || size == 0 || step == 0) return windows;
  for (std::size_t first = 0;; first += step) {
    const std::size_t last = std::min(count - 1, first + size - 1);
    windows.push_back({first, last, std::nullopt, std::nullopt});
    if (last == count - 1) return windows;
  }
}

std::vector<EventWindow> BarWindows(std::span<const std::int32_t> bars, std::int32_t size, std::int32_t step) {
  std::vector<EventWindow> windows;
  if (bars.empty() || size < 1 || step < 1) return windows;
  const auto [lowest, highest] = std::minmax_element(bars.begin(), bars.end());
  for (std::int64_t from = *lowest;; from += step) {
    const std::int64_t to = from + size - 1;
    std::optional<std::size_t> first;
    std::size_t last = 0;
    for (std::size_t k = 0; k < bars.size(); ++k) {
      if (bars[k] < from || bars[k] > to) continue;
      if (!first) first = k;
      last = k;
    }
    if (first) windows.push_back({*first, last, static_cast<std::int32_t>(from), static_cast<std::int32_t>(to)});
    if (to >= *highest) return windows;
  }
}

EventColumns WindowColumns(const EventColumns& events, const EventWindow& window) {
  EventColumns part;
  part.onsetMs = Slice(events.onsetMs, window);
  if (events.velocities) part.velocities = Slice(*events.velocities, window);
  if (events.scoreBeats) part.scoreBeats = Slice(*events.scoreBeats, window);
  if (events.bars) part.bars = Slice(*events.bars, window);
  return part;
}

}  // namespace rp
