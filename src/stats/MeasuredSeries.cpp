// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/MeasuredSeries.h"

#include <utility>

namespace rp {

std::vector<MeasuredSeries> MeasureEvents(const EventColumns& events, std::int32_t delay, std::uint64_t randomState,
                                          const StatisticsOptions& options) {
  std::vector<MeasuredSeries> measured;
  for (NamedSeries& series : SeriesFromEvents(events)) {
    MeasuredSeries m;
    m.statistics = ComputeSeriesStatistics(series.values, delay, randomState, options);
    m.curve = TempoCurve(series, events.onsetMs);
    m.returnMap = ReturnMapPoints(series.values, delay);
    m.ellipse = PoincareEllipseOf(series.values, delay);
    m.series = std::move(series);
    measured.push_back(std::move(m));
  }
  return measured;
}

}  // namespace rp
