// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How an onset event says that one of its values does not exist: an interval
// or velocity whose later event lies past the end of the performance is a
// quiet NaN, never 0 (0 ms and velocity 0 are values a file can hold).
// Exports write it as an empty field, the report as "–", and the plot draws
// no point for an event with an undefined value.

#include <cmath>
#include <limits>

namespace rp {

inline constexpr double kUndefinedValue = std::numeric_limits<double>::quiet_NaN();

inline bool IsDefined(double value) { return !std::isnan(value); }

}  // namespace rp
