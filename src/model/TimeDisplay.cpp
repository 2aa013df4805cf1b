// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TimeDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace rp {

namespace {

std::int64_t Floor(double value) { return static_cast<std::int64_t>(std::floor(value)); }

}  // namespace

std::string FormatTimeDisplay(double ms) {
  // Times read from a file may be anything; beyond about 30000 years the
  // display has nothing useful to say, and the integer arithmetic stays exact.
  constexpr double kLimit = 1e15;
  const double t = std::isnan(ms) ? 0.0 : std::clamp(ms, -kLimit, kLimit);
  // As a clock reads: the tenths begun are not counted.
  const std::int64_t tenths = Floor(std::abs(t) / 100.0);
  const std::int64_t whole = tenths / 10;
  char text[48];
  std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld.%lld", t < 0 && tenths > 0 ? "-" : "",
                static_cast<long long>(whole / 3600), static_cast<long long>(whole / 60 % 60),
                static_cast<long long>(whole % 60), static_cast<long long>(tenths % 10));
  return text;
}

}  // namespace rp
