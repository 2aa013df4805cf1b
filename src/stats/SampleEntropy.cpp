// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SampleEntropy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace rp {

std::optional<double> SampleEntropy(std::span<const double> x, double r, int m) {
  if (m < 1 || x.size() < static_cast<std::size_t>(m) + 2) return std::nullopt;
  const auto width = static_cast<std::size_t>(m) + 1;
  const std::size_t count = x.size() - static_cast<std::size_t>(m);
  // Sorted by their first values, the templates that can agree with one lie
  // right after it, up to the first whose first value is more than r above:
  // with r a fifth of the sd that is about a tenth of them, not all. Each
  // pair is still counted once, and a difference taken the other way round
  // is the same number, so the counts are those of comparing every pair.
  std::vector<std::size_t> order(count);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return x[a] < x[b]; });
  // Each template's m + 1 values side by side, in the sorted order.
  std::vector<double> templates(count * width);
  for (std::size_t i = 0; i < count; ++i)
    std::copy_n(x.begin() + static_cast<std::ptrdiff_t>(order[i]), width,
                templates.begin() + static_cast<std::ptrdiff_t>(i * width));
  std::int64_t agreeM = 0;
  std::int64_t agreeNext = 0;
  const double* end = templates.data() + templates.size();
  for (const double* a = templates.data(); a != end; a += width) {
    // Without branches inside: whether a pair agrees cannot be foreseen.
    std::int64_t shorter = 0;
    std::int64_t longer = 0;
    for (const double* b = a + width; b != end && b[0] - a[0] <= r; b += width) {
      std::int64_t agree = 1;
      for (std::size_t k = 1; k + 1 < width; ++k) agree &= std::abs(b[k] - a[k]) <= r ? 1 : 0;
      shorter += agree;
      longer += agree & (std::abs(b[width - 1] - a[width - 1]) <= r ? 1 : 0);
    }
    agreeM += shorter;
    agreeNext += longer;
  }
  if (agreeM == 0 || agreeNext == 0) return std::nullopt;
  // 0 − ln: a sampen of 0 is written "0", not "-0".
  return 0.0 - std::log(static_cast<double>(agreeNext) / static_cast<double>(agreeM));
}

}  // namespace rp
