// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ticks of the plot's common scale: round values (1, 2 or 5 times a
// power of ten apart; on a logarithmic scale spanning decades, the powers of
// ten and, over few decades, 2 and 5 times them) and their labels.

#include <string>
#include <string_view>
#include <vector>

namespace rp {

struct AxisScale;

struct AxisTick {
  double value = 0.0;
  double fraction = 0.0;  // AxisScale::Fraction of the value: 0 at the low face, 1 at the high one
  std::string label;      // the value, the unit after the highest tick's
};

// About `wanted` (at least 2) ticks within the scale, in rising order.
// The smallest of 1, 2, 5 times a power of ten at least `raw`: the step of
// round tick values (the plot's axes, the charts' scales).
double RoundTickStep(double raw);

std::vector<AxisTick> AxisTicks(const AxisScale& scale, std::string_view unit, int wanted = 5);

}  // namespace rp
