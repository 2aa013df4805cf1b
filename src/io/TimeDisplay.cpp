#include "io/TimeDisplay.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace rp {

namespace {

// A number as the time display writes it: a blank or a minus sign, then the digits.
std::string SignedNumber(std::int64_t value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }

std::int64_t Floor(double value) { return static_cast<std::int64_t>(std::floor(value)); }

}  // namespace

std::string FormatTimeDisplay(double ms) {
  // Times read from a file may be anything; beyond about 30000 years the
  // display has nothing useful to say, and the integer arithmetic stays exact.
  constexpr double kLimit = 1e15;
  const double t = std::isnan(ms) ? 0.0 : std::clamp(ms, -kLimit, kLimit);
  const std::int64_t hours = Floor(t / 3600000.0);
  const std::int64_t minutes = Floor(t / 60000.0) - 60 * hours;
  const std::int64_t seconds = Floor(t / 1000.0) - 60 * minutes - 3600 * hours;
  return SignedNumber(hours) + ":" + SignedNumber(minutes) + ":" + SignedNumber(seconds);
}

}  // namespace rp
