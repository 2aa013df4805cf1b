// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/DetrendedFluctuation.h"

#include <algorithm>
#include <cmath>

namespace rp {

namespace {

// Σ of the squared residuals of the least-squares lines through the profile's
// consecutive windows of `scale` points, over the first floor(N/scale) of them.
double DetrendedSquares(const std::vector<double>& profile, std::size_t scale) {
  const auto n = static_cast<double>(scale);
  const double centre = (n - 1.0) / 2.0;                    // mean of the positions 0..n−1
  const double positionSquares = n * (n * n - 1.0) / 12.0;  // Σ (i − centre)²
  double total = 0.0;
  for (std::size_t start = 0; start + scale <= profile.size(); start += scale) {
    const double* y = profile.data() + start;
    double sum = 0.0;
    for (std::size_t i = 0; i < scale; ++i) sum += y[i];
    const double mean = sum / n;
    double squares = 0.0;
    double cross = 0.0;
    for (std::size_t i = 0; i < scale; ++i) {
      const double e = y[i] - mean;
      squares += e * e;
      cross += (static_cast<double>(i) - centre) * e;
    }
    total += std::max(0.0, squares - cross * cross / positionSquares);
  }
  return total;
}

}  // namespace

std::vector<std::int64_t> DfaScales(std::size_t count, DfaScaleRange range) {
  std::vector<std::int64_t> scales;
  const auto length = static_cast<std::int64_t>(count);
  const std::int64_t largest = std::min(length, range.max > 0 ? range.max : length / 4);
  if (range.min < 1) return scales;
  for (int j = 0;; ++j) {
    const auto n = static_cast<std::int64_t>(std::floor(static_cast<double>(range.min) * std::exp2(j / 4.0)));
    if (n > largest) return scales;
    if (scales.empty() || scales.back() != n) scales.push_back(n);
  }
}

std::optional<double> DfaAlpha(std::span<const double> x, double mean, DfaScaleRange range) {
  const std::vector<std::int64_t> scales = DfaScales(x.size(), range);
  if (scales.size() < kMinDfaScales) return std::nullopt;
  std::vector<double> profile(x.size());
  double running = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    running += x[i] - mean;
    profile[i] = running;
  }
  // The slope of ln F against ln n, both centred first.
  std::vector<double> logScale;
  std::vector<double> logF;
  for (const std::int64_t scale : scales) {
    const auto s = static_cast<std::size_t>(scale);
    const std::size_t points = x.size() / s * s;
    const double f = std::sqrt(DetrendedSquares(profile, s) / static_cast<double>(points));
    if (!(f > 0.0)) return std::nullopt;
    logScale.push_back(std::log(static_cast<double>(scale)));
    logF.push_back(std::log(f));
  }
  double meanX = 0.0;
  double meanY = 0.0;
  for (std::size_t k = 0; k < logScale.size(); ++k) {
    meanX += logScale[k];
    meanY += logF[k];
  }
  meanX /= static_cast<double>(logScale.size());
  meanY /= static_cast<double>(logScale.size());
  double cross = 0.0;
  double squares = 0.0;
  for (std::size_t k = 0; k < logScale.size(); ++k) {
    cross += (logScale[k] - meanX) * (logF[k] - meanY);
    squares += (logScale[k] - meanX) * (logScale[k] - meanX);
  }
  return cross / squares;
}

}  // namespace rp
