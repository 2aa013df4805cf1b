// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much a series remembers d steps back: the lag-d autocorrelation
//   r_d = Σ_{k=1..N−d} (x_k − m)(x_k+d − m) / Σ_{k=1..N} (x_k − m)²
// (deviations from the whole series' mean m, over the whole series' sum of
// squares), the Pearson correlation of the pairs (x_k, x_k+d) that many
// papers report instead, and the permutation p-value of r_d. The p-value is reproducible: the shuffles are
// drawn from a std::mt19937_64 started from the caller's random state, so the
// same series and state give the same p on any machine and in any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace rp {

inline constexpr int kPermutationShuffles = 999;
// The shuffles cost their number times N: a longer series has its p-value
// taken over its first this many values (about a second for 999 shuffles),
// as the sample entropy is capped.
inline constexpr std::size_t kPermutationMaxValues = 100000;

// Empty when no pair is d apart or the series is constant.
std::optional<double> LagCorrelation(std::span<const double> x, double mean, std::int32_t delay);

// r_d_pearson = Σ (a_k − ā)(b_k − b̄) / √(Σ (a_k − ā)² · Σ (b_k − b̄)²) over
// the M = N − d pairs a_k = x_k, b_k = x_k+d, with ā and b̄ their own means.
// Empty for fewer than 2 pairs or when either side is constant.
std::optional<double> PearsonLagCorrelation(std::span<const double> x, std::int32_t delay);

// p = (1 + number of shuffles whose |r_d| is at least the observed |r_d|) /
// (shuffles + 1). The shuffles follow one another on one copy of
// the series, each a Fisher–Yates pass: for i from N−1 down to 1 (0-based),
// j = next draw mod (i + 1), swap x_i and x_j. Empty where r_d is, and for
// no shuffles.
std::optional<double> LagCorrelationPValue(std::span<const double> x, double mean, std::int32_t delay,
                                           std::uint64_t randomState, int shuffles = kPermutationShuffles);

}  // namespace rp
