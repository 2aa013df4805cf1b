// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stretches of a performance measured one at a time: windows of N
// events moving M events on, or of B bars moving S bars on for performances
// aligned to a score. Windows start at the first event (bar) and follow one
// another until one reaches the last; that one may be shorter. A window's
// series are made from its events alone (its timing series has one value
// fewer than it has events).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "stats/PerformanceSeries.h"

namespace rp {

struct EventWindow {
  std::size_t first = 0;  // 0-based, inclusive
  std::size_t last = 0;
  std::optional<std::int32_t> firstBar;  // the bars asked for, for windows by bars
  std::optional<std::int32_t> lastBar;
};

// Windows of `size` events every `step` events over `count` events; none
// when `count`, `size` or `step` is 0.
std::vector<EventWindow> EventWindows(std::size_t count, std::size_t size, std::size_t step);

// Windows of `size` bars every `step` bars, from the lowest bar of `bars`
// (one per event) to the highest, each from the first to the last event
// whose bar lies in it; windows without events are left out.
std::vector<EventWindow> BarWindows(std::span<const std::int32_t> bars, std::int32_t size, std::int32_t step);

// The columns of the window's events.
EventColumns WindowColumns(const EventColumns& events, const EventWindow& window);

}  // namespace rp
