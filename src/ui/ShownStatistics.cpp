// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShownStatistics.h"

#include "features/PerformanceFeatures.h"
#include "model/ComparedPerformances.h"
#include "model/Performance.h"
#include "stats/FeatureSeries.h"
#include "stats/StatisticsConventions.h"

namespace rp {

namespace {

// The feature series a performance can give (none for one without played
// chords or a melody voice), as kinds of the Statistics window's rows.
std::vector<NamedSeries> FeatureRows(const Performance& performance) {
  if (performance.source != PerformanceSource::ScoreAligned) return {};
  return NamedFeatureSeries(FeaturesOf(performance));
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

std::vector<std::optional<double> SeriesStatistics::*> IntervalMeasures() {
  std::vector<std::optional<double> SeriesStatistics::*> members;
  for (const ReportedMeasure& m : ReportedMeasures(false, false))
    if (m.hasInterval) members.push_back(m.value);
  return members;
}

std::shared_ptr<const ShownStatistics> MeasureShown(const std::vector<StatisticsSource>& sources, std::int32_t delay,
                                                    std::uint64_t randomState, const StatisticsOptions& options,
                                                    const ShownExtras& extras) {
  auto shown = std::make_shared<ShownStatistics>();
  const std::vector<std::optional<double> SeriesStatistics::*> members = IntervalMeasures();
  for (const StatisticsSource& source : sources) {
    std::vector<MeasuredSeries> series = MeasureEvents(source.events, delay, randomState, options);
    for (const NamedSeries& feature : source.features)
      series.push_back(MeasureSeries(feature, source.events.onsetMs, delay, randomState, options));
    ShownPerformance& p = shown->emplace_back(ShownPerformance{
        source.name, source.path, source.colour, {}, source.events.onsetMs, source.scored, source.loudnessInDb});
    // The same intervals as --stats --ci draws from the same random state.
    if (extras.ci)
      for (const MeasuredSeries& s : series)
        p.intervals.push_back(BootstrapIntervals(s.series.values, delay, options, *extras.ci, randomState, members));
    if (extras.windows.Chosen())
      p.windows = MeasureWindows(source.events, source.features, extras.windows, delay, randomState, options);
    p.series = std::move(series);
    if (source.events.scoreBeats) p.scoreBeats = *source.events.scoreBeats;
  }
  return shown;
}

const MeasuredSeries* FindSeries(const ShownPerformance& performance, SeriesKind kind) {
  for (const MeasuredSeries& s : performance.series)
    if (s.series.kind == kind) return &s;
  return nullptr;
}

}  // namespace rp
