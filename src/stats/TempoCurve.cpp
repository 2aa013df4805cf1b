// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/TempoCurve.h"

#include <algorithm>
#include <cstddef>

#include "model/UndefinedValue.h"

namespace rp {

std::vector<CurvePoint> TempoCurve(const NamedSeries& series, std::span<const double> onsetMs) {
  std::vector<CurvePoint> curve;
  const std::size_t count = std::min(series.values.size(), series.events.size());
  curve.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t event = series.events[i];
    if (event < 0 || static_cast<std::size_t>(event) >= onsetMs.size()) continue;
    curve.push_back({onsetMs[static_cast<std::size_t>(event)], series.values[i], event});
  }
  return curve;
}

std::optional<std::size_t> CurvePointAtEvent(std::span<const CurvePoint> curve, std::int32_t event) {
  const auto after = std::upper_bound(curve.begin(), curve.end(), event,
                                      [](std::int32_t e, const CurvePoint& p) { return e < p.event; });
  if (after == curve.begin()) return std::nullopt;
  return static_cast<std::size_t>(after - curve.begin()) - 1;
}

std::vector<ScoreCurvePoint> TempoCurveAgainstBars(const BeatTempo& tempo, TempoUnit unit, bool smoothed) {
  std::vector<ScoreCurvePoint> curve;
  curve.reserve(tempo.rows.size());
  for (const BeatRow& row : tempo.rows) {
    const double ms = smoothed ? row.smoothedMsPerBeat : row.msPerBeat;
    if (IsDefined(ms)) curve.push_back({row.barPosition, TempoInUnit(ms, unit), row.onsetMs});
  }
  return curve;
}

}  // namespace rp
