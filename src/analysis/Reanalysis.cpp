#include "analysis/Reanalysis.h"

#include <algorithm>
#include <iterator>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "io/RecordingReader.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"

namespace rp {

std::string Reanalyse(Performance& performance, const AnalysisSettings& settings) {
  std::string message;
  if (performance.velocityKind == VelocityKind::Decibel && settings.onsets != performance.settings.onsets) {
    const RecordingRead read = ReadRecording(performance.sourcePath, settings.onsets);
    if (read.Ok()) {
      TakeRecordingOnsets(read.onsets, performance);
    } else {
      message = "Cannot find the onsets of \"" + performance.sourcePath + "\" again: " + read.error + ".";
    }
  }
  performance.settings = settings;
  AnalyseOnsets(performance);
  return message;
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

std::string ReanalyseKeepingPosition(Performance& performance, ReplayPosition& position,
                                     const AnalysisSettings& settings) {
  const std::int32_t current = position.currentEvent;
  const bool known = current >= 1 && current <= performance.plotEventCount;
  const double onsetMs = known ? performance.plotEvents[static_cast<std::size_t>(current)].onsetMs : 0.0;
  std::string message = Reanalyse(performance, settings);
  position.currentEvent = known ? EventAtOrBefore(performance, onsetMs) : 1;
  return message;
}

}  // namespace rp
