// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the Statistics window shows of one performance: for each of its
// series the measures, the tempo curve and the Poincaré view's points and
// ellipse. A pure function of a copy of the events, so the window runs it
// away from its own thread.

#include <cstdint>
#include <optional>
#include <vector>

#include "stats/PerformanceSeries.h"
#include "stats/PoincareEllipse.h"
#include "stats/SeriesStatistics.h"
#include "stats/TempoCurve.h"

namespace rp {

struct MeasuredSeries {
  NamedSeries series;
  SeriesStatistics statistics;
  std::vector<CurvePoint> curve;
  std::vector<PlanePoint> returnMap;
  std::optional<PoincareEllipse> ellipse;
};

// `series` measured as `options` choose; its curve drawn at `onsetMs` of its events.
MeasuredSeries MeasureSeries(NamedSeries series, const std::vector<double>& onsetMs, std::int32_t delay,
                             std::uint64_t randomState, const StatisticsOptions& options = {});

// The series in the order of SeriesFromEvents, measured as `options` choose.
std::vector<MeasuredSeries> MeasureEvents(const EventColumns& events, std::int32_t delay, std::uint64_t randomState,
                                          const StatisticsOptions& options = {});

}  // namespace rp
