// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/SampleHistory.h"

#include <algorithm>

namespace rp {

double SampleHistory::SumOfSquares(std::int64_t from, std::int64_t to) const {
  from = std::max(from, Begin());
  to = std::min(to, End());
  double sum = 0.0;
  for (std::int64_t n = from; n < to; ++n) {
    const double x = At(n);
    sum += x * x;
  }
  return sum;
}

}  // namespace rp
