// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/PoincareDescriptors.h"

#include <cmath>
#include <numbers>

#include "stats/MeanAndSd.h"

namespace rp {

PoincareDescriptors DescribeReturnMap(std::span<const double> x, std::int32_t delay) {
  PoincareDescriptors result;
  const auto d = static_cast<std::size_t>(delay);
  if (delay < 1 || x.size() < d + 2) return result;
  const std::size_t pairs = x.size() - d;
  // The 1/√2 scales the deviation and nothing else, so it is applied last.
  const MeanAndSd across = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k] - x[k + d]; });
  const MeanAndSd along = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k] + x[k + d]; });
  const double sd1 = *across.sd / std::numbers::sqrt2;
  const double sd2 = *along.sd / std::numbers::sqrt2;
  result.sd1 = sd1;
  result.sd2 = sd2;
  if (sd2 > 0.0) result.sd1Sd2 = sd1 / sd2;
  result.area = std::numbers::pi * sd1 * sd2;
  return result;
}

}  // namespace rp
