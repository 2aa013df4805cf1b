// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/OnsetLoudness.h"

#include <algorithm>
#include <cmath>

#include "recording/SampleHistory.h"

namespace rp {

double OnsetLoudnessDb(const SampleHistory& history, std::int64_t onset, std::int64_t end, int sampleRate) {
  const auto window = std::max<std::int64_t>(1, std::llround(kLoudnessWindowMs * sampleRate / 1000.0));
  const std::int64_t spanEnd = std::min<std::int64_t>(end, onset + std::llround(kLoudnessSpanMs * sampleRate / 1000.0));
  double loudest = 0.0;  // mean square
  if (spanEnd - onset < window) {
    if (spanEnd > onset) loudest = history.SumOfSquares(onset, spanEnd) / static_cast<double>(spanEnd - onset);
  } else {
    for (std::int64_t from = onset; from + window <= spanEnd; from += window) {
      loudest = std::max(loudest, history.SumOfSquares(from, from + window) / static_cast<double>(window));
    }
  }
  if (loudest <= 0.0) return kSilenceFloorDb;
  return std::max(kSilenceFloorDb, 10.0 * std::log10(loudest));
}

}  // namespace rp
