// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/RobustRange.h"

#include <algorithm>
#include <cmath>

namespace rp {

namespace {

constexpr double kLowPercentile = 1.0;
constexpr double kHighPercentile = 99.0;
constexpr double kMargin = 0.05;

// The value of rank ceil(percent * n / 100) (from 1) once the values are
// sorted; only that one is put in place.
double NearestRank(std::vector<double>& values, double percent) {
  const auto n = static_cast<double>(values.size());
  const auto rank = static_cast<std::size_t>(std::max(1.0, std::ceil(percent * n / 100.0)));
  const auto at = values.begin() + static_cast<std::ptrdiff_t>(rank - 1);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

}  // namespace

std::optional<ValueRange> RobustRange(std::vector<double>& values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }), values.end());
  if (values.empty()) return std::nullopt;
  ValueRange range;
  if (values.size() < kRobustRangeMinValues) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    range = {*low, *high};
  } else {
    range = {NearestRank(values, kLowPercentile), NearestRank(values, kHighPercentile)};
    const double margin = (range.high - range.low) * kMargin;
    range.low -= margin;
    range.high += margin;
  }
  if (!(range.high > range.low)) {
    const double margin = range.low == 0.0 ? 1.0 : std::abs(range.low) * kMargin;
    range.low -= margin;
    range.high += margin;
  }
  return range;
}

}  // namespace rp
