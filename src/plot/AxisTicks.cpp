// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "plot/AxisScale.h"

namespace rp {

namespace {

std::vector<double> LinearValues(double low, double high, int wanted) {
  std::vector<double> values;
  const double step = RoundTickStep((high - low) / wanted);
  if (!(step > 0.0) || !std::isfinite(step)) return values;
  for (double k = std::ceil(low / step); k * step <= high * (1 + 1e-12) + 1e-300; ++k) {
    values.push_back(k * step == 0.0 ? 0.0 : k * step);  // no "-0"
    if (values.size() > 100) break;
  }
  return values;
}

std::vector<double> LogValues(double low, double high, int wanted) {
  std::vector<double> values;
  for (const auto& factors : {std::vector<double>{1, 2, 5}, std::vector<double>{1}}) {
    values.clear();
    for (double decade = std::floor(std::log10(low)); decade <= std::ceil(std::log10(high)); ++decade)
      for (const double f : factors)
        if (const double v = f * std::pow(10.0, decade); v >= low * (1 - 1e-12) && v <= high * (1 + 1e-12))
          values.push_back(v);
    if (static_cast<int>(values.size()) <= 2 * wanted) break;
  }
  // Within a decade or two the round values of a linear axis say more.
  if (values.size() < 3) return LinearValues(low, high, wanted);
  return values;
}

std::string Label(double value, double step) {
  const int decimals = step >= 1.0 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

double RoundTickStep(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * power >= raw * (1 - 1e-9)) return factor * power;
  return 10.0 * power;
}

std::vector<AxisTick> AxisTicks(const AxisScale& scale, std::string_view unit, int wanted) {
  wanted = std::max(wanted, 2);
  std::vector<AxisTick> ticks;
  if (!(scale.high > scale.low) || (scale.logarithmic && !(scale.low > 0.0))) return ticks;
  const std::vector<double> values =
      scale.logarithmic ? LogValues(scale.low, scale.high, wanted) : LinearValues(scale.low, scale.high, wanted);
  for (std::size_t i = 0; i < values.size(); ++i) {
    // Each label as precise as the gap to its neighbour needs.
    const double gap = values.size() < 2       ? std::abs(values[i])
                       : i + 1 < values.size() ? values[i + 1] - values[i]
                                               : values[i] - values[i - 1];
    ticks.push_back({values[i], scale.Fraction(values[i]), Label(values[i], gap > 0.0 ? gap : 1.0)});
  }
  if (!ticks.empty() && !unit.empty()) ticks.back().label += " " + std::string(unit);
  return ticks;
}

}  // namespace rp
