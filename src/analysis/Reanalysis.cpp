#include "analysis/Reanalysis.h"

#include <algorithm>
#include <iterator>

#include "analysis/GivenEvents.h"
#include "analysis/OnsetAnalysis.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"

namespace rp {

namespace {

double MsPerUnit(TimesUnit unit) { return unit == TimesUnit::Seconds ? 1000.0 : 1.0; }

}  // namespace

void Reanalyse(Performance& performance, const AnalysisSettings& settings) {
  const TimesUnit unitBefore = performance.settings.timesUnit;
  performance.settings = settings;
  if (UsesClusterWindow(performance)) {
    AnalyseOnsets(performance);
    return;
  }
  // A plain list of times read in the other unit: the same numbers, scaled.
  if (performance.source == PerformanceSource::PlainTimes && settings.timesUnit != unitBefore) {
    const double scale = MsPerUnit(settings.timesUnit) / MsPerUnit(unitBefore);
    std::vector<double> timesMs;
    timesMs.reserve(static_cast<std::size_t>(performance.plotEventCount));
    for (std::int32_t k = 1; k <= performance.plotEventCount; ++k) {
      timesMs.push_back(performance.plotEvents[static_cast<std::size_t>(k)].onsetMs * scale);
    }
    StoreTimes(performance, timesMs, PerformanceSource::PlainTimes);
    return;
  }
  CompleteGivenEvents(performance);
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
  // Events that come with the file keep their numbers whatever the settings.
  if (!UsesClusterWindow(performance)) return;
  position.currentEvent = known ? EventAtOrBefore(performance, onsetMs) : 1;
}

}  // namespace rp
