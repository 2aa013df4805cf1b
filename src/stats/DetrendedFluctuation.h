// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Detrended fluctuation analysis: how the spread of a series' running sum
// grows with the length of the stretch looked at. White noise gives
// alpha = 0.5, long-range correlated series more, a straight trend 2.
//
// The profile is y_i = Σ_{j≤i} (x_j − m). The scales are n = floor(MIN·2^(j/4))
// for j = 0, 1, 2, ..., each distinct value with n ≤ MAX and n ≤ N; unless
// asked otherwise MIN = 4 and MAX = N/4. At each scale the
// profile is cut from its start into floor(N/n) windows (the rest is left
// out), a least-squares line is taken off each window, and F(n) is the root
// of the mean squared residual over all points of those windows. alpha is
// the least-squares slope of ln F(n) against ln n.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rp {

// Fewer scales than this leave alpha empty.
inline constexpr std::size_t kMinDfaScales = 4;

inline constexpr std::int64_t kDfaSmallestScale = 4;

// The scales asked for: the smallest, and the largest (0: a quarter of the
// series' length).
struct DfaScaleRange {
  std::int64_t min = kDfaSmallestScale;
  std::int64_t max = 0;
};

// The scales for a series of `count` values, ascending.
std::vector<std::int64_t> DfaScales(std::size_t count, DfaScaleRange range = {});

// Empty with fewer than kMinDfaScales scales, or when a scale leaves no
// residual (F(n) = 0: the profile is a straight line in every window).
std::optional<double> DfaAlpha(std::span<const double> x, double mean, DfaScaleRange range = {});

}  // namespace rp
