// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShownStatistics.h"

#include "features/PerformanceFeatures.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "stats/FeatureSeries.h"

namespace rp {

namespace {

// The feature series a performance can give (none for one without played
// chords or a melody voice), as kinds of the Statistics window's rows.
std::vector<NamedSeries> FeatureRows(const Performance& performance) {
  std::vector<NamedSeries> rows;
  if (performance.source != PerformanceSource::ScoreAligned) return rows;
  for (FeatureSeries& f : SeriesOfFeatures(FeaturesOf(performance))) {
    if (f.values.empty()) continue;
    for (const SeriesKind kind : {SeriesKind::MelodyLead, SeriesKind::Spread, SeriesKind::Overlap})
      if (SeriesName(kind) == f.name) rows.push_back({kind, std::move(f.values), std::move(f.events)});
  }
  return rows;
}

}  // namespace

StatisticsSource CopyForStatistics(const Performance& performance, QColor colour) {
  return {QString::fromStdString(PerformanceDisplayName(performance)),
          performance.sourcePath,
          colour,
          EventColumnsOf(performance),
          ScoredEventsOf(performance),
          performance.velocityKind == VelocityKind::Decibel,
          FeatureRows(performance)};
}

std::shared_ptr<const ShownStatistics> MeasureShown(const std::vector<StatisticsSource>& sources, std::int32_t delay,
                                                    std::uint64_t randomState, const StatisticsOptions& options) {
  auto shown = std::make_shared<ShownStatistics>();
  for (const StatisticsSource& source : sources) {
    std::vector<MeasuredSeries> series = MeasureEvents(source.events, delay, randomState, options);
    for (const NamedSeries& feature : source.features)
      series.push_back(MeasureSeries(feature, source.events.onsetMs, delay, randomState, options));
    shown->push_back({source.name, source.path, source.colour, std::move(series), source.events.onsetMs, source.scored,
                      source.loudnessInDb});
  }
  return shown;
}

const MeasuredSeries* FindSeries(const ShownPerformance& performance, SeriesKind kind) {
  for (const MeasuredSeries& s : performance.series)
    if (s.series.kind == kind) return &s;
  return nullptr;
}

}  // namespace rp
