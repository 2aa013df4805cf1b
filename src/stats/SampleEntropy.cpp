// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SampleEntropy.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace rp {

namespace {

// The values x_i, x_i+1, x_i+2 of the template starting at i.
struct Template {
  double first;
  double second;
  double third;
};

}  // namespace

std::optional<double> SampleEntropy(std::span<const double> x, double r) {
  if (x.size() < 4) return std::nullopt;
  // Sorted by their first values, the templates that can agree with one lie
  // right after it, up to the first whose first value is more than r above:
  // with r a fifth of the sd that is about a tenth of them, not all. Each
  // pair is still counted once, and a difference taken the other way round
  // is the same number, so the counts are those of comparing every pair.
  std::vector<Template> templates(x.size() - 2);
  for (std::size_t i = 0; i < templates.size(); ++i) templates[i] = {x[i], x[i + 1], x[i + 2]};
  std::sort(templates.begin(), templates.end(), [](const Template& a, const Template& b) { return a.first < b.first; });
  std::int64_t agreeTwo = 0;
  std::int64_t agreeThree = 0;
  const Template* end = templates.data() + templates.size();
  for (const Template* a = templates.data(); a != end; ++a) {
    // Without branches inside: whether a pair agrees at the second and third
    // values cannot be foreseen.
    std::int64_t two = 0;
    std::int64_t three = 0;
    for (const Template* b = a + 1; b != end && b->first - a->first <= r; ++b) {
      const std::int64_t both = std::abs(b->second - a->second) <= r ? 1 : 0;
      two += both;
      three += both & (std::abs(b->third - a->third) <= r ? 1 : 0);
    }
    agreeTwo += two;
    agreeThree += three;
  }
  if (agreeTwo == 0 || agreeThree == 0) return std::nullopt;
  // 0 − ln: a sampen of 0 is written "0", not "-0".
  return 0.0 - std::log(static_cast<double>(agreeThree) / static_cast<double>(agreeTwo));
}

}  // namespace rp
