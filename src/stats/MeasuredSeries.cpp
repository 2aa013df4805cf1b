// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/MeasuredSeries.h"

#include <utility>

namespace rp {

MeasuredSeries MeasureSeries(NamedSeries series, const std::vector<double>& onsetMs, std::int32_t delay,
                             std::uint64_t randomState, const StatisticsOptions& options) {
  MeasuredSeries m;
  m.statistics = ComputeSeriesStatistics(series.values, delay, randomState, options);
  m.curve = TempoCurve(series, onsetMs);
  m.returnMap = ReturnMapPoints(series.values, delay);
  m.ellipse = PoincareEllipseOf(series.values, delay);
  m.series = std::move(series);
  return m;
}

std::vector<MeasuredSeries> MeasureEvents(const EventColumns& events, std::int32_t delay, std::uint64_t randomState,
                                          const StatisticsOptions& options) {
  std::vector<MeasuredSeries> measured;
  for (NamedSeries& series : SeriesFromEvents(events))
    measured.push_back(MeasureSeries(std::move(series), events.onsetMs, delay, randomState, options));
  return measured;
}

}  // namespace rp
