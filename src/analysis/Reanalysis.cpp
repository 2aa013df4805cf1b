// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Reanalysis.h"

#include <algorithm>
#include <iterator>

#include "analysis/OnsetAnalysis.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"

namespace rp {

void Reanalyse(Performance& performance, const AnalysisSettings& settings) {
  performance.settings = settings;
  AnalyseOnsets(performance);
}

std::int32_t EventAtOrBefore(const Performance& performance, double onsetMs) {
  // Onsets rise strictly: a cluster opens only more than the window (>= 0)
  // after the one before it.
  const auto& events = performance.events;
  const auto after = std::upper_bound(events.begin(), events.end(), onsetMs,
                                      [](double ms, const OnsetEvent& e) { return ms < e.onsetMs; });
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::distance(events.begin(), after)));
}

void ReanalyseKeepingPosition(Performance& performance, ReplayPosition& position, const AnalysisSettings& settings) {
  const std::int32_t current = position.currentEvent;
  const bool known = current >= 1 && current <= performance.EventCount();
  const double onsetMs = known ? performance.events[static_cast<std::size_t>(current - 1)].onsetMs : 0.0;
  Reanalyse(performance, settings);
  position.currentEvent = known ? EventAtOrBefore(performance, onsetMs) : 1;
}

}  // namespace rp
