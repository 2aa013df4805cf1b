// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/FeatureSeries.h"

#include <algorithm>

#include "features/PerformanceFeatures.h"
#include "stats/SeriesWindows.h"

namespace rp {

namespace {

FeatureSeries Series(std::string_view name, const PerformanceFeatures& features, double EventFeatures::*value,
                     const std::string& missing, const EventWindow* window) {
  FeatureSeries series{name, {}, {}, missing};
  if (!missing.empty()) return series;
  const std::size_t first = window != nullptr ? window->first : 0;
  const std::size_t end =
      window != nullptr ? std::min(window->last + 1, features.events.size()) : features.events.size();
  for (std::size_t k = first; k < end; ++k) {
    const double v = features.events[k].*value;
    if (!IsDefined(v)) continue;
    series.values.push_back(v);
    series.events.push_back(static_cast<std::int32_t>(k));
  }
  return series;
}

}  // namespace

std::vector<FeatureSeries> SeriesOfFeatures(const PerformanceFeatures& features, const EventWindow* window) {
  return {Series("melody_lead", features, &EventFeatures::melodyLeadMs, features.melodyMissing, window),
          Series("spread", features, &EventFeatures::spreadMs, features.spreadMissing, window),
          Series("overlap", features, &EventFeatures::overlapMs, features.melodyMissing, window)};
}

std::vector<NamedSeries> NamedFeatureSeries(const PerformanceFeatures& features) {
  std::vector<NamedSeries> named;
  for (FeatureSeries& f : SeriesOfFeatures(features)) {
    if (f.values.empty()) continue;
    for (const SeriesKind kind : {SeriesKind::MelodyLead, SeriesKind::Spread, SeriesKind::Overlap})
      if (SeriesName(kind) == f.name) named.push_back({kind, std::move(f.values), std::move(f.events)});
  }
  return named;
}

}  // namespace rp
