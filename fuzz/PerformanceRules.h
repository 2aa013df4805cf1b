#pragma once
// The rules every reader of a performance relies on, checked after
// a fuzzed load: index 0 and everything above the counts zero, `PlotEvents`
// 10 beyond its count, finite times, and clusters and their first notes
// pointing at each other (in file order where the cluster window made them).

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "model/Performance.h"

namespace rp::fuzz {

inline bool IsZero(const NoteEvent& n) {
  return !n.isNoteOn && n.timeMs == 0 && n.leadValue == 0 && n.noteVelocity == 0 && n.clusterIndex == 0 &&
         n.noteKey == 0;
}

inline bool IsZero(const PlotEvent& p) {
  return p.onsetMs == 0 && p.interval0 == 0 && p.interval1 == 0 && p.interval2 == 0 && p.velocity0 == 0 &&
         p.velocity1 == 0 && p.velocity2 == 0 && p.firstNote == 0;
}

inline void CheckPerformanceRules(const Performance& performance) {
  const auto& noteEvents = performance.noteEvents;
  const auto& plotEvents = performance.plotEvents;
  const std::int32_t noteEventCount = performance.noteEventCount;
  const std::int32_t plotEventCount = performance.plotEventCount;
  RP_FUZZ_CHECK(noteEventCount >= 0 && static_cast<std::size_t>(noteEventCount) < noteEvents.size());
  RP_FUZZ_CHECK(plotEventCount >= 0 && static_cast<std::size_t>(plotEventCount) + 10 <= plotEvents.size());
  RP_FUZZ_CHECK(plotEventCount <= noteEventCount);
  RP_FUZZ_CHECK(IsZero(noteEvents[0]) && IsZero(plotEvents[0]));
  for (std::size_t j = static_cast<std::size_t>(noteEventCount) + 1; j < noteEvents.size(); ++j) {
    RP_FUZZ_CHECK(IsZero(noteEvents[j]));
  }
  for (std::size_t k = static_cast<std::size_t>(plotEventCount) + 1; k < plotEvents.size(); ++k) {
    RP_FUZZ_CHECK(IsZero(plotEvents[k]));
  }
  for (std::int32_t j = 1; j <= noteEventCount; ++j) {
    const NoteEvent& n = noteEvents[static_cast<std::size_t>(j)];
    RP_FUZZ_CHECK(std::isfinite(n.timeMs) && std::isfinite(n.leadValue));
    RP_FUZZ_CHECK(n.clusterIndex >= 0 && n.clusterIndex <= plotEventCount);
    if (n.clusterIndex > 0) {
      RP_FUZZ_CHECK(n.isNoteOn);
      RP_FUZZ_CHECK(plotEvents[static_cast<std::size_t>(n.clusterIndex)].firstNote == j);
    }
  }
  for (std::int32_t k = 1; k <= plotEventCount; ++k) {
    const PlotEvent& p = plotEvents[static_cast<std::size_t>(k)];
    RP_FUZZ_CHECK(p.firstNote >= 1 && p.firstNote <= noteEventCount);
    RP_FUZZ_CHECK(noteEvents[static_cast<std::size_t>(p.firstNote)].clusterIndex == k);
    // Clusters follow the file; events that come with it (score order) need not.
    if (k > 1 && UsesClusterWindow(performance)) {
      RP_FUZZ_CHECK(plotEvents[static_cast<std::size_t>(k - 1)].firstNote < p.firstNote);
    }
  }
}

}  // namespace rp::fuzz
