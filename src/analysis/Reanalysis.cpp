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
  const std::int32_t count = performance.plotEventCount;
  if (count <= 0 || performance.plotEvents.size() <= static_cast<std::size_t>(count)) return 1;
  // Onsets rise strictly: a cluster opens only more than the window (>= 0)
  // after the one before it.
  const auto first = performance.plotEvents.begin() + 1;
  const auto last = first + count;
  const auto after =
      std::upper_bound(first, last, onsetMs, [](double ms, const PlotEvent& e) { return ms < e.onsetMs; });
  return std::max<std::int32_t>(1, static_cast<std::int32_t>(std::distance(first, after)));
}

void ReanalyseKeepingPosition(Performance& performance, ReplayPosition& position, const AnalysisSettings& settings) {
  const std::int32_t current = position.currentEvent;
  const bool known = current >= 1 && current <= performance.plotEventCount;
  const double onsetMs = known ? performance.plotEvents[static_cast<std::size_t>(current)].onsetMs : 0.0;
  Reanalyse(performance, settings);
  position.currentEvent = known ? EventAtOrBefore(performance, onsetMs) : 1;
}

}  // namespace rp
