// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much a series remembers d steps back: the lag-d autocorrelation
//   r_d = Σ_{k=1..N−d} (x_k − m)(x_k+d − m) / Σ_{k=1..N} (x_k − m)²
// and its permutation p-value. The p-value is reproducible: the shuffles are
// drawn from a std::mt19937_64 started from the caller's random state, so the
// same series and state give the same p on any machine and in any thread.

#include <cstdint>
#include <optional>
#include <span>

namespace rp {

inline constexpr int kPermutationShuffles = 999;

// Empty when no pair is d apart or the series is constant.
std::optional<double> LagCorrelation(std::span<const double> x, double mean, std::int32_t delay);

// p = (1 + number of shuffles whose |r_d| is at least the observed |r_d|) /
// (kPermutationShuffles + 1). The shuffles follow one another on one copy of
// the series, each a Fisher–Yates pass: for i from N−1 down to 1 (0-based),
// j = next draw mod (i + 1), swap x_i and x_j. Empty where r_d is.
std::optional<double> LagCorrelationPValue(std::span<const double> x, double mean, std::int32_t delay,
                                           std::uint64_t randomState);

}  // namespace rp
