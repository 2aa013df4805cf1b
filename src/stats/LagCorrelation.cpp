// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/LagCorrelation.h"

#include <bit>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "stats/MeanAndSd.h"

namespace rp {

namespace {

// 128 bits, for the high half of a 64 × 64 product (a GCC and Clang type).
__extension__ typedef unsigned __int128 Wide;

// `draw mod divisor` without a division: the shuffles take one remainder per
// value and shuffle, by divisors the same in every shuffle, so each divisor's
// reciprocal is worked out once (Granlund and Montgomery's round-up method,
// exact for every 64-bit draw and divisor from 2 to 2^32).
class Remainder {
 public:
  Remainder() = default;
  explicit Remainder(std::uint64_t divisor) : divisor_(divisor), shift_(63 - std::countl_zero(divisor - 1)) {
    const unsigned ceilLog2 = shift_ + 1;
    magic_ =
        static_cast<std::uint64_t>(((static_cast<Wide>((std::uint64_t{1} << ceilLog2) - divisor)) << 64) / divisor) + 1;
  }
  std::uint64_t Of(std::uint64_t draw) const {
    const auto high = static_cast<std::uint64_t>((static_cast<Wide>(magic_) * draw) >> 64);
    const std::uint64_t quotient = (high + ((draw - high) >> 1)) >> shift_;
    return draw - quotient * divisor_;
  }

 private:
  std::uint64_t divisor_ = 2;
  unsigned shift_ = 0;
  std::uint64_t magic_ = 1;
};

// Σ c_k c_k+d over the pairs, in four running sums so the additions overlap.
double LagProducts(const std::vector<double>& c, std::size_t d) {
  const std::size_t pairs = c.size() - d;
  double s0 = 0.0;
  double s1 = 0.0;
  double s2 = 0.0;
  double s3 = 0.0;
  std::size_t k = 0;
  for (; k + 4 <= pairs; k += 4) {
    s0 += c[k] * c[k + d];
    s1 += c[k + 1] * c[k + 1 + d];
    s2 += c[k + 2] * c[k + 2 + d];
    s3 += c[k + 3] * c[k + 3 + d];
  }
  for (; k < pairs; ++k) s0 += c[k] * c[k + d];
  return (s0 + s1) + (s2 + s3);
}

struct Centred {
  std::vector<double> values;  // x_k − m
  double squares = 0.0;        // Σ (x_k − m)²
};

std::optional<Centred> CentreForLag(std::span<const double> x, double mean, std::int32_t delay) {
  if (delay < 1 || x.size() <= static_cast<std::size_t>(delay)) return std::nullopt;
  Centred c;
  c.values.reserve(x.size());
  for (const double v : x) {
    c.values.push_back(v - mean);
    c.squares += c.values.back() * c.values.back();
  }
  if (!(c.squares > 0.0)) return std::nullopt;
  return c;
}

}  // namespace

std::optional<double> LagCorrelation(std::span<const double> x, double mean, std::int32_t delay) {
  const std::optional<Centred> c = CentreForLag(x, mean, delay);
  if (!c) return std::nullopt;
  return LagProducts(c->values, static_cast<std::size_t>(delay)) / c->squares;
}

std::optional<double> PearsonLagCorrelation(std::span<const double> x, std::int32_t delay) {
  const auto d = static_cast<std::size_t>(delay);
  if (delay < 1 || x.size() < d + 2) return std::nullopt;
  const std::size_t pairs = x.size() - d;
  const double firstMean = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k]; }).mean;
  const double secondMean = MeanAndSampleSd(pairs, [&](std::size_t k) { return x[k + d]; }).mean;
  double cross = 0.0;
  double firstSquares = 0.0;
  double secondSquares = 0.0;
  for (std::size_t k = 0; k < pairs; ++k) {
    const double a = x[k] - firstMean;
    const double b = x[k + d] - secondMean;
    cross += a * b;
    firstSquares += a * a;
    secondSquares += b * b;
  }
  if (!(firstSquares > 0.0) || !(secondSquares > 0.0)) return std::nullopt;
  return cross / std::sqrt(firstSquares * secondSquares);
}

std::optional<double> LagCorrelationPValue(std::span<const double> x, double mean, std::int32_t delay,
                                           std::uint64_t randomState, int shuffles) {
  std::optional<Centred> c = CentreForLag(x, mean, delay);
  if (!c || shuffles < 1) return std::nullopt;
  const auto d = static_cast<std::size_t>(delay);
  std::vector<double>& values = c->values;
  const double observed = std::abs(LagProducts(values, d) / c->squares);
  std::vector<Remainder> remainders(values.size());
  for (std::size_t i = 1; i < values.size(); ++i) remainders[i] = Remainder(i + 1);
  std::mt19937_64 engine(randomState);
  int atLeast = 0;
  for (int s = 0; s < shuffles; ++s) {
    for (std::size_t i = values.size() - 1; i >= 1; --i) std::swap(values[i], values[remainders[i].Of(engine())]);
    atLeast += std::abs(LagProducts(values, d) / c->squares) >= observed ? 1 : 0;
  }
  return static_cast<double>(1 + atLeast) / static_cast<double>(shuffles + 1);
}

}  // namespace rp
