// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules every reader of a performance relies on, checked after a fuzzed
// load: finite times, and events and their first notes pointing at each other
// in file order.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "model/Performance.h"

namespace rp::fuzz {

inline void CheckPerformanceRules(const Performance& performance) {
  const auto& notes = performance.notes;
  const auto& events = performance.events;
  const auto noteCount = static_cast<std::int32_t>(notes.size());
  const auto eventCount = static_cast<std::int32_t>(events.size());
  RP_FUZZ_CHECK(eventCount <= noteCount);
  for (std::int32_t j = 0; j < noteCount; ++j) {
    const NoteEvent& n = notes[static_cast<std::size_t>(j)];
    RP_FUZZ_CHECK(std::isfinite(n.timeMs) && std::isfinite(n.leadValue));
    RP_FUZZ_CHECK(n.opensEvent >= -1 && n.opensEvent < eventCount);
    if (n.opensEvent >= 0) {
      RP_FUZZ_CHECK(n.isNoteOn);
      RP_FUZZ_CHECK(events[static_cast<std::size_t>(n.opensEvent)].firstNote == j);
    }
  }
  for (std::int32_t k = 0; k < eventCount; ++k) {
    const OnsetEvent& p = events[static_cast<std::size_t>(k)];
    RP_FUZZ_CHECK(p.firstNote >= 0 && p.firstNote < noteCount);
    RP_FUZZ_CHECK(notes[static_cast<std::size_t>(p.firstNote)].opensEvent == k);
    // Clusters follow the file; events that come with it (score order) need not.
    if (k > 0 && UsesClusterWindow(performance)) {
      RP_FUZZ_CHECK(events[static_cast<std::size_t>(k - 1)].firstNote < p.firstNote);
    }
  }
}

}  // namespace rp::fuzz
