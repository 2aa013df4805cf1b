// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the replay and the plot stand in one performance: the current event
// (the one the plot marks and a replay starts from), the range of note events
// the last replay queued, and how many events before the current one the
// plot's tail shows. Owned next to the performance it refers to; the replay
// writes it, the plot reads it.

#include <algorithm>
#include <cstdint>
#include <optional>

namespace rp {

// Events and notes are indices into `Performance::events` and
// `Performance::notes`, from 0; users read them from 1 (the panel's "Event 1
// of N"), which is for what shows them to add.
struct ReplayPosition {
  // None before a performance with events is shown.
  std::optional<std::int32_t> currentEvent;
  std::int32_t tailLength = 0;
  std::int32_t playFrom = 0;
  std::int32_t playTo = 0;
};

// The event a move to `event` makes current among `eventCount` events: the
// nearest that exists; none where there are none.
inline std::optional<std::int32_t> ClampedEvent(std::int32_t event, std::int32_t eventCount) {
  if (eventCount <= 0) return std::nullopt;
  return std::clamp(event, std::int32_t{0}, eventCount - 1);
}

}  // namespace rp
