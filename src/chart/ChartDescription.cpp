// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartDescription.h"

#include <array>
#include <cmath>
#include <utility>

namespace rp {

namespace {

constexpr std::array<std::pair<std::string_view, ChartKind>, 5> kKindNames = {{
    {"tempo", ChartKind::Tempo},
    {"poincare", ChartKind::Poincare},
    {"bars", ChartKind::Bars},
    {"worm", ChartKind::Worm},
    {"recurrence", ChartKind::Recurrence},
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
  double step = power * 10.0;
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (power * factor >= rough) {
      step = power * factor;
      break;
    }
  }
  for (double t = std::ceil(min / step) * step; t <= max + step * 1e-9; t += step)
    ticks.push_back(std::abs(t) < step * 1e-9 ? 0.0 : t);
  return ticks;
}

}  // namespace rp
