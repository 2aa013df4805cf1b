// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/SharedScale.h"

#include <cmath>

#include "model/Performance.h"

namespace rp {

std::optional<ValueRange> SharedScaleRange(const std::vector<const Performance*>& performances, ValueKind kind,
                                           bool logarithmic, const TempoMeasure& tempo) {
  std::vector<double> values;
  for (const bool log : {logarithmic, false}) {
    for (const Performance* performance : performances) {
      for (std::int32_t k = 0; k < performance->EventCount(); ++k) {
        const std::optional<std::array<double, 3>> three = EventValues(*performance, k, kind, tempo);
        if (!three) continue;
        for (const double v : *three) {
          if (std::isnan(v) || (log && !(v > 0.0))) continue;
          values.push_back(log ? std::log10(v) : v);
        }
      }
    }
    if (!values.empty() || !log) {
      logarithmic = log;
      break;
    }
  }
  std::optional<ValueRange> range = RobustRange(values);
  if (range && logarithmic) *range = {std::pow(10.0, range->low), std::pow(10.0, range->high)};
  return range;
}

}  // namespace rp
