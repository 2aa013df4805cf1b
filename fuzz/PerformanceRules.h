#pragma once
// The rules every reader of a performance relies on, checked after
// a fuzzed load: index 0 and everything above the counts zero, `PlotEvents`
// 10 beyond its count, finite times, and clusters and their first notes
// pointing at each other in file order.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "model/Performance.h"

namespace rp::fuzz {

inline bool IsZero(const NoteEvent& n) {
  return !n.IsNoteOn && n.TimeMs == 0 && n.LeadValue == 0 && n.NoteVelocity == 0 && n.ClusterIndex == 0 &&
         n.NoteKey == 0;
}

inline bool IsZero(const PlotEvent& p) {
  return p.OnsetMs == 0 && p.Interval0 == 0 && p.Interval1 == 0 && p.Interval2 == 0 && p.Velocity0 == 0 &&
         p.Velocity1 == 0 && p.Velocity2 == 0 && p.FirstNote == 0;
}

inline void CheckPerformanceRules(const Performance& performance) {
  const auto& NoteEvents = performance.NoteEvents;
  const auto& PlotEvents = performance.PlotEvents;
  const std::int32_t NoteEventCount = performance.NoteEventCount;
  const std::int32_t PlotEventCount = performance.PlotEventCount;
  RP_FUZZ_CHECK(NoteEventCount >= 0 && static_cast<std::size_t>(NoteEventCount) < NoteEvents.size());
  RP_FUZZ_CHECK(PlotEventCount >= 0 && static_cast<std::size_t>(PlotEventCount) + 10 <= PlotEvents.size());
  RP_FUZZ_CHECK(PlotEventCount <= NoteEventCount);
  RP_FUZZ_CHECK(IsZero(NoteEvents[0]) && IsZero(PlotEvents[0]));
  for (std::size_t j = static_cast<std::size_t>(NoteEventCount) + 1; j < NoteEvents.size(); ++j) {
    RP_FUZZ_CHECK(IsZero(NoteEvents[j]));
  }
  for (std::size_t k = static_cast<std::size_t>(PlotEventCount) + 1; k < PlotEvents.size(); ++k) {
    RP_FUZZ_CHECK(IsZero(PlotEvents[k]));
  }
  for (std::int32_t j = 1; j <= NoteEventCount; ++j) {
    const NoteEvent& n = NoteEvents[static_cast<std::size_t>(j)];
    RP_FUZZ_CHECK(std::isfinite(n.TimeMs) && std::isfinite(n.LeadValue));
    RP_FUZZ_CHECK(n.ClusterIndex >= 0 && n.ClusterIndex <= PlotEventCount);
    if (n.ClusterIndex > 0) {
      RP_FUZZ_CHECK(n.IsNoteOn);
      RP_FUZZ_CHECK(PlotEvents[static_cast<std::size_t>(n.ClusterIndex)].FirstNote == j);
    }
  }
  for (std::int32_t k = 1; k <= PlotEventCount; ++k) {
    const PlotEvent& p = PlotEvents[static_cast<std::size_t>(k)];
    RP_FUZZ_CHECK(p.FirstNote >= 1 && p.FirstNote <= NoteEventCount);
    RP_FUZZ_CHECK(NoteEvents[static_cast<std::size_t>(p.FirstNote)].ClusterIndex == k);
    if (k > 1) RP_FUZZ_CHECK(PlotEvents[static_cast<std::size_t>(k - 1)].FirstNote < p.FirstNote);
  }
}

}  // namespace rp::fuzz
