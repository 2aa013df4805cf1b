// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spread of a return map's points (x_k, x_k+d) across and along the
// diagonal: sd1 and sd2 are the sample standard deviations of
// (x_k − x_k+d)/√2 and (x_k + x_k+d)/√2 over the M = N − d pairs, the half-axes
// of the ellipse the Poincaré view draws.

#include <cstdint>
#include <optional>
#include <span>

namespace rp {

struct PoincareDescriptors {
  std::optional<double> sd1;
  std::optional<double> sd2;
  std::optional<double> sd1Sd2;  // sd1 / sd2; empty when sd2 is 0
  std::optional<double> area;    // π · sd1 · sd2
};

// All empty for fewer than 2 pairs (`delay` ≥ 1).
PoincareDescriptors DescribeReturnMap(std::span<const double> x, std::int32_t delay);

}  // namespace rp
