// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace rp {

// Rounded to the nearest whole number, halves to the even neighbour (2.5
// gives 2, 3.5 gives 4): how every number read from a file becomes a whole
// one, and how a replay scales velocities and rounds its start.
inline double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace rp
