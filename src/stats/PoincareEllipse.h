// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Poincaré view of a series: the points (x_k, x_k+d), k = 1..M, M = N − d,
// and the ellipse that sums them up. Its centre is (mean of x_1..x_M, mean of
// x_1+d..x_N); its axes lie along the diagonals, the half-axis across the
// identity line sd1 and the one along it sd2 (see PoincareDescriptors).

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rp {

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

struct PoincareEllipse {
  PlanePoint centre;
  double sd1 = 0.0;  // half-axis along (−1, 1)/√2
  double sd2 = 0.0;  // half-axis along (1, 1)/√2
};

// The M points; none when d < 1 or the series has no pair d apart.
std::vector<PlanePoint> ReturnMapPoints(std::span<const double> x, std::int32_t delay);

// Empty where sd1 and sd2 are (fewer than 2 pairs).
std::optional<PoincareEllipse> PoincareEllipseOf(std::span<const double> x, std::int32_t delay);

// `count` points evenly spread in angle around the ellipse, for drawing it
// as a closed polygon.
std::vector<PlanePoint> EllipseOutline(const PoincareEllipse& ellipse, std::size_t count);

}  // namespace rp
