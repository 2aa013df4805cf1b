// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartDescription.h"

#include <array>
#include <cmath>
#include <utility>

namespace rp {

namespace {

constexpr std::array<std::pair<std::string_view, ChartKind>, 8> kKindNames = {{
    {"tempo", ChartKind::Tempo},
    {"poincare", ChartKind::Poincare},
    {"bars", ChartKind::Bars},
    {"worm", ChartKind::Worm},
    {"recurrence", ChartKind::Recurrence},
    {"windows", ChartKind::Windows},
    {"cross-recurrence", ChartKind::CrossRecurrence},
    {"features", ChartKind::Features},
}};

}  // namespace

std::optional<ChartKind> ParseChartKind(std::string_view text) {
  for (const auto& [name, kind] : kKindNames)
    if (name == text) return kind;
  return std::nullopt;
}

std::string_view ChartKindName(ChartKind kind) {
  for (const auto& [name, k] : kKindNames)
    if (k == kind) return name;
  return {};
}

std::optional<ChartTheme> ParseChartTheme(std::string_view text) {
  if (text == "dark") return ChartTheme::Dark;
  if (text == "light") return ChartTheme::Light;
  return std::nullopt;
}

std::string ChartAxis::Title() const {
  if (unit.empty()) return quantity;
  // A unit that holds brackets of its own ("BPM (quarter)") follows a comma.
  return unit.find('(') == std::string::npos ? quantity + " (" + unit + ")" : quantity + ", " + unit;
}

std::vector<double> RoundTicks(double min, double max, int count) {
  std::vector<double> ticks;
  const double span = max - min;
  if (!(span > 0.0) || !std::isfinite(span) || count < 1) return ticks;
  // 1, 2 or 5 times a power of ten, the smallest that cuts the span into at
  // most `count` pieces.
  const double rough = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double factor = 10.0;
  for (const double f : {1.0, 2.0, 5.0}) {
    if (power * f >= rough) {
      factor = f;
      break;
    }
  }
  // Whole multiples of the step, divided by a whole power of ten where the
  // step is below 1, so that 0.6 is 0.6 and not 3 times 0.2.
  const double step = power * factor;
  const double inverse = power < 1.0 ? std::round(1.0 / power) : 0.0;
  const auto first = static_cast<long long>(std::ceil(min / step - 1e-9));
  const auto last = static_cast<long long>(std::floor(max / step + 1e-9));
  for (long long k = first; k <= last; ++k) {
    const double units = static_cast<double>(k) * factor;
    ticks.push_back(power < 1.0 ? units / inverse : units * power);
  }
  return ticks;
}

}  // namespace rp
