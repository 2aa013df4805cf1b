// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the replay and the plot stand in one performance: the current event
// (the one the plot marks and a replay starts from), the range of note events
// the last replay queued, and how many events before the current one the
// plot's tail shows. Owned next to the performance it refers to; the replay
// writes it, the plot reads it.

#include <cstdint>

namespace rp {

// Events and notes are numbered here as users count them, from 1 (the time
// slider's values); 0 is none. Event number k is `Performance::events`[k - 1].
struct ReplayPosition {
  std::int32_t currentEvent = 0;
  std::int32_t tailLength = 0;
  std::int32_t playFrom = 0;
  std::int32_t playTo = 0;
};

}  // namespace rp
