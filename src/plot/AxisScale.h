// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one scale of a performance's plot: its three axes hold the same
// quantity (event n, n+d and n+2d of the same intervals or velocities), so
// they share one range and the cube's diagonal is where all three values
// are equal. Linear, or logarithmic for values that span decades.

#include <cmath>

namespace rp {

struct AxisScale {
  // Off for a scatter file's points, which keep a range per axis.
  bool active = false;
  bool logarithmic = false;
  // The values at the cube's low and high faces (both above 0 when
  // logarithmic).
  double low = 0.0;
  double high = 1.0;

  // How far `value` lies from the low face towards the high one: 0 at the
  // low face, 1 at the high face, beyond those outside the range; NaN for an
  // undefined value; -infinity for a value at or below 0 on a logarithmic
  // scale (it has no place on it and goes to the low face).
  double Fraction(double value) const {
    if (!logarithmic) return (value - low) / (high - low);
    if (!(value > 0.0)) return std::isnan(value) ? value : -INFINITY;
    return std::log(value / low) / std::log(high / low);
  }
};

}  // namespace rp
