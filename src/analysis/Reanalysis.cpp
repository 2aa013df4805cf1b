// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Reanalysis.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "analysis/GivenEvents.h"
#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "io/RecordingReader.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"

namespace rp {

namespace {

double MsPerUnit(TimesUnit unit) { return unit == TimesUnit::Seconds ? 1000.0 : 1.0; }

}  // namespace

std::string Reanalyse(Performance& performance, const AnalysisSettings& settings) {
  std::string message;
  const TimesUnit unitBefore = performance.settings.timesUnit;
  if (performance.velocityKind == VelocityKind::Decibel && settings.onsets != performance.settings.onsets) {
    const RecordingRead read = ReadRecording(performance.sourcePath, settings.onsets);
    if (read.Ok()) {
      TakeRecordingOnsets(read.onsets, performance);
    } else {
      message = "Cannot find the onsets of \"" + performance.sourcePath + "\" again: " + read.error + ".";
    }
  }
  performance.settings = settings;
  if (UsesClusterWindow(performance)) {
    AnalyseOnsets(performance);
    return message;
  }
  // A plain list of times read in the other unit: the same numbers, scaled.
  if (performance.source == PerformanceSource::PlainTimes && settings.timesUnit != unitBefore) {
    const double scale = MsPerUnit(settings.timesUnit) / MsPerUnit(unitBefore);
    std::vector<double> timesMs;
    timesMs.reserve(performance.events.size());
    for (const OnsetEvent& e : performance.events) timesMs.push_back(e.onsetMs * scale);
    StoreTimes(performance, std::move(timesMs), PerformanceSource::PlainTimes);
    return message;
  }
  CompleteGivenEvents(performance);
  return message;
}

std::int32_t EventAtOrBefore(const Performance& performance, double onsetMs) {
  // Onsets rise strictly: a cluster opens only more than the window (>= 0)
  // after the one before it.
  const auto& events = performance.events;
  const auto after = std::upper_bound(events.begin(), events.end(), onsetMs,
                                      [](double ms, const OnsetEvent& e) { return ms < e.onsetMs; });
  return std::max<std::int32_t>(0, static_cast<std::int32_t>(std::distance(events.begin(), after)) - 1);
}

std::string ReanalyseKeepingPosition(Performance& performance, ReplayPosition& position,
                                     const AnalysisSettings& settings) {
  const std::optional<std::int32_t> current = position.currentEvent;
  const bool known = current && *current >= 0 && *current < performance.EventCount();
  const double onsetMs = known ? performance.events[static_cast<std::size_t>(*current)].onsetMs : 0.0;
  std::string message = Reanalyse(performance, settings);
  // Events that come with the file keep their numbers whatever the settings.
  if (!UsesClusterWindow(performance)) return message;
  position.currentEvent = ClampedEvent(known ? EventAtOrBefore(performance, onsetMs) : 0, performance.EventCount());
  return message;
}

}  // namespace rp
