// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mean and the sample standard deviation (divisor count − 1) of a run of
// values, by two passes: the mean first (a compensated sum, so whole numbers
// give the correctly rounded mean), then the squared deviations from it,
// corrected by the rounding left in the mean. Series of long intervals with
// small differences lose nothing to cancellation this way.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace rp {

struct MeanAndSd {
  double mean = 0.0;
  std::optional<double> sd;  // empty for fewer than 2 values
};

// `valueAt(k)` for k = 0..count−1 gives the values; it is called twice per
// value, so the caller needs no array of them. `count` must be at least 1.
template <class ValueAt>
MeanAndSd MeanAndSampleSd(std::size_t count, ValueAt valueAt) {
  // Neumaier's summation: `lost` keeps what each addition rounded away.
  double sum = 0.0;
  double lost = 0.0;
  for (std::size_t k = 0; k < count; ++k) {
    const double v = valueAt(k);
    const double next = sum + v;
    lost += std::abs(sum) >= std::abs(v) ? (sum - next) + v : (v - next) + sum;
    sum = next;
  }
  const auto n = static_cast<double>(count);
  MeanAndSd result{(sum + lost) / n, std::nullopt};
  double squares = 0.0;
  double deviations = 0.0;
  for (std::size_t k = 0; k < count; ++k) {
    const double e = valueAt(k) - result.mean;
    squares += e * e;
    deviations += e;
  }
  if (count >= 2) result.sd = std::sqrt(std::max(0.0, squares - deviations * deviations / n) / (n - 1.0));
  return result;
}

}  // namespace rp
