// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sample entropy with templates of m values (2 unless asked otherwise): how
// often two stretches of the series that agree for m steps (every value
// within r) still agree at the next. B counts the pairs i < j of templates
// x_i..x_i+m−1 that agree, A the pairs that also agree at x_i+m, both over
// the same starting points i = 1..N−m; sampen = −ln(A/B). The count is over
// all pairs, so the work grows with N²: callers keep N at most
// kSampleEntropyMaxValues.

#include <cstddef>
#include <optional>
#include <span>

namespace rp {

inline constexpr std::size_t kSampleEntropyMaxValues = 20000;
inline constexpr int kSampleEntropyTemplate = 2;

// Empty when A or B is 0 (among them every series of fewer than m + 2
// values) or when m < 1.
std::optional<double> SampleEntropy(std::span<const double> x, double r, int m = kSampleEntropyTemplate);

}  // namespace rp
