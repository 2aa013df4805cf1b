// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sample entropy with templates of m = 2 values: how often two stretches of
// the series that agree for 2 steps (every value within r) still agree at the
// third. B counts the pairs i < j of templates x_i, x_i+1 that agree, A the
// pairs that also agree at x_i+2, both over the same starting points
// i = 1..N−2; sampen = −ln(A/B). The count is over all pairs, so the work
// grows with N²: callers keep N at most kSampleEntropyMaxValues.

#include <cstddef>
#include <optional>
#include <span>

namespace rp {

inline constexpr std::size_t kSampleEntropyMaxValues = 20000;

// Empty when A or B is 0 (among them every series of fewer than 4 values).
std::optional<double> SampleEntropy(std::span<const double> x, double r);

}  // namespace rp
