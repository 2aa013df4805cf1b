// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShownStatistics.h"

#include "model/ComparedPerformances.h"
#include "model/Performance.h"

namespace rp {

StatisticsSource CopyForStatistics(const Performance& performance, QColor colour) {
  return {QString::fromStdString(PerformanceDisplayName(performance)),
          performance.sourcePath,
          colour,
          EventColumnsOf(performance),
          ScoredEventsOf(performance),
          performance.velocityKind == VelocityKind::Decibel};
}

std::shared_ptr<const ShownStatistics> MeasureShown(const std::vector<StatisticsSource>& sources, std::int32_t delay,
                                                    std::uint64_t randomState, const StatisticsOptions& options) {
  auto shown = std::make_shared<ShownStatistics>();
  for (const StatisticsSource& source : sources)
    shown->push_back({source.name, source.path, source.colour,
                      MeasureEvents(source.events, delay, randomState, options), source.events.onsetMs, source.scored,
                      source.loudnessInDb});
  return shown;
}

const MeasuredSeries* FindSeries(const ShownPerformance& performance, SeriesKind kind) {
  for (const MeasuredSeries& s : performance.series)
    if (s.series.kind == kind) return &s;
  return nullptr;
}

}  // namespace rp
