// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <span>
#include <utility>
#include <vector>

#include "stats/DetrendedFluctuation.h"
#include "stats/LagCorrelation.h"
#include "stats/Recurrence.h"
#include "stats/SampleEntropy.h"
#include "stats/SeriesStatistics.h"

namespace rp {
namespace {

using std::numbers::pi;

std::vector<double> Ar1(double phi, std::size_t count, std::uint64_t seed) {
  std::mt19937_64 engine(seed);
  std::normal_distribution<double> noise;
  std::vector<double> x{noise(engine)};
  while (x.size() < count) x.push_back(phi * x.back() + noise(engine));
  return x;
}

TEST(SeriesStatistics, ConstantAndTooShortSeriesLeaveTheirMeasuresEmpty) {
  const SeriesStatistics constant = ComputeSeriesStatistics(std::vector<double>(100, 0.1), 1, 1);
  EXPECT_EQ(constant.n, 100);
  EXPECT_EQ(constant.mean, 0.1);
  EXPECT_EQ(constant.sd, 0.0);
  EXPECT_EQ(constant.cv, 0.0);
  EXPECT_EQ(constant.sd1, 0.0);
  EXPECT_EQ(constant.sd2, 0.0);
  EXPECT_EQ(constant.area, 0.0);
  for (const auto member :
       {&SeriesStatistics::sd1Sd2, &SeriesStatistics::lagCorrelation, &SeriesStatistics::lagCorrelationP,
        &SeriesStatistics::dfaAlpha, &SeriesStatistics::sampleEntropy})
    EXPECT_FALSE(constant.*member);

  const SeriesStatistics one = ComputeSeriesStatistics(std::vector<double>{-5.0}, 1, 1);
  EXPECT_EQ(one.mean, -5.0);
  EXPECT_FALSE(one.sd || one.cv || one.sd1 || one.lagCorrelation);
  std::vector<double> broken = Ar1(0.5, 100, 1);
  broken[50] = std::nan("");
  EXPECT_FALSE(ComputeSeriesStatistics(broken, 1, 1).mean || ComputeSeriesStatistics(broken, 1, 1).sampleEntropy);
  EXPECT_EQ(ComputeSeriesStatistics({}, 1, 1).n, 0);
  EXPECT_FALSE(ComputeSeriesStatistics({}, 1, 1).mean);
  // Two values: a sd, but no second pair for sd1 and sd2.
  const SeriesStatistics two = ComputeSeriesStatistics(std::vector<double>{1.0, 3.0}, 1, 1);
  EXPECT_EQ(two.sd, std::sqrt(2.0));
  EXPECT_FALSE(two.sd1 || two.dfaAlpha || two.sampleEntropy);
  EXPECT_TRUE(two.lagCorrelation);

  EXPECT_EQ(DfaScales(32), (std::vector<std::int64_t>{4, 5, 6, 8}));
  EXPECT_TRUE(ComputeSeriesStatistics(Ar1(0.5, 32, 3), 1, 1).dfaAlpha);
  EXPECT_FALSE(ComputeSeriesStatistics(Ar1(0.5, 31, 3), 1, 1).dfaAlpha);
}

TEST(SeriesStatistics, HandWorkedSeries) {
  // Pairs (2,4) (4,3) (3,7) (7,4): differences −2 1 −4 3, sums 6 7 10 11. A
  // large offset changes only the mean: nothing is lost to cancellation.
  for (const double offset : {0.0, 1e9}) {
    std::vector<double> x{2, 4, 3, 7, 4};
    for (double& v : x) v += offset;
    const SeriesStatistics s = ComputeSeriesStatistics(x, 1, 1);
    EXPECT_EQ(*s.mean, 4.0 + offset);
    EXPECT_DOUBLE_EQ(*s.sd, std::sqrt(14.0 / 4.0));
    EXPECT_DOUBLE_EQ(*s.cv, std::sqrt(14.0 / 4.0) / (4.0 + offset));
    EXPECT_DOUBLE_EQ(*s.sd1, std::sqrt(29.0 / 6.0));
    EXPECT_DOUBLE_EQ(*s.sd2, std::sqrt(17.0 / 6.0));
    EXPECT_DOUBLE_EQ(*s.sd1Sd2, std::sqrt(29.0 / 17.0));
    EXPECT_DOUBLE_EQ(*s.area, pi * std::sqrt(29.0 * 17.0) / 6.0);
    EXPECT_DOUBLE_EQ(*s.lagCorrelation, -3.0 / 14.0);
  }
  EXPECT_FALSE(ComputeSeriesStatistics(std::vector<double>{-2, -4, -3}, 1, 1).cv);

  // Templates (1,2) (2,1) (1,2) (2,1): two pairs agree, one of them also at
  // the third value (1 = 1; 2 against 3 does not).
  EXPECT_DOUBLE_EQ(*SampleEntropy(std::vector<double>{1, 2, 1, 2, 1, 3}, 0.5), std::log(2.0));
  EXPECT_FALSE(SampleEntropy(std::vector<double>{1, 2, 3, 4, 5, 6}, 0.5));

  // Every pair compared, on a series with ties.
  std::vector<double> x = Ar1(0.6, 400, 9);
  for (double& v : x) v = std::round(4.0 * v);
  std::int64_t b = 0;
  std::int64_t a = 0;
  for (std::size_t i = 0; i + 2 < x.size(); ++i) {
    for (std::size_t j = i + 1; j + 2 < x.size(); ++j) {
      const bool two = std::abs(x[i] - x[j]) <= 1.0 && std::abs(x[i + 1] - x[j + 1]) <= 1.0;
      b += two;
      a += two && std::abs(x[i + 2] - x[j + 2]) <= 1.0;
    }
  }
  EXPECT_DOUBLE_EQ(*SampleEntropy(x, 1.0), -std::log(static_cast<double>(a) / static_cast<double>(b)));
}

TEST(SeriesStatistics, AlternatingSeries) {
  const int count = 40;
  std::vector<double> x;
  for (int k = 0; k < count; ++k) x.push_back(k % 2 == 0 ? 8.0 : 12.0);
  const SeriesStatistics lag1 = ComputeSeriesStatistics(x, 1, 1);
  EXPECT_DOUBLE_EQ(*lag1.sd, 2.0 * std::sqrt(count / (count - 1.0)));
  EXPECT_DOUBLE_EQ(*lag1.lagCorrelation, -(count - 1.0) / count);
  EXPECT_EQ(lag1.sd2, 0.0);  // every sum is 20
  EXPECT_FALSE(lag1.sd1Sd2);
  // The 39 differences ±4 (20 of one sign): sd1 = 2√2 · √(M (1 − (1/M)²) / (M − 1)).
  const double m = count - 1.0;
  EXPECT_DOUBLE_EQ(*lag1.sd1, 2.0 * std::numbers::sqrt2 * std::sqrt(m * (1.0 - 1.0 / (m * m)) / (m - 1.0)));
  EXPECT_EQ(lag1.sampleEntropy, 0.0);  // a template that agrees for two steps agrees for three
  EXPECT_EQ(lag1.lagCorrelationP, 1.0 / 1000.0);

  const SeriesStatistics lag2 = ComputeSeriesStatistics(x, 2, 1);
  EXPECT_DOUBLE_EQ(*lag2.lagCorrelation, (count - 2.0) / count);
  EXPECT_EQ(lag2.sd1, 0.0);
  EXPECT_DOUBLE_EQ(*lag2.sd2, std::numbers::sqrt2 * 2.0 * std::sqrt((count - 2.0) / (count - 3.0)));
  EXPECT_EQ(lag2.sd1Sd2, 0.0);
  EXPECT_EQ(lag2.area, 0.0);
}

TEST(SeriesStatistics, TrendAndSimulatedSeries) {
  std::vector<double> trend;
  for (int k = 1; k <= 4096; ++k) trend.push_back(k);
  EXPECT_NEAR(*ComputeSeriesStatistics(trend, 1, 1).dfaAlpha, 2.0, 0.02);

  const SeriesStatistics ar = ComputeSeriesStatistics(Ar1(0.7, 4096, 7), 1, 1);
  EXPECT_NEAR(*ar.lagCorrelation, 0.7, 0.05);
  EXPECT_EQ(ar.lagCorrelationP, 1.0 / 1000.0);
  EXPECT_NEAR(*ComputeSeriesStatistics(Ar1(0.0, 4096, 11), 1, 1).dfaAlpha, 0.5, 0.1);
}

// The permutation test against the scheme done the plain way: the same draws
// taken modulo by division, r_d recomputed from scratch.
TEST(SeriesStatistics, PermutationPValueFollowsTheStatedShuffles) {
  const std::vector<double> x = Ar1(0.03, 3000, 5);
  const std::int32_t d = 2;
  const auto lagR = [&](const std::vector<double>& v) {
    double mean = 0.0;
    for (const double e : v) mean += e / static_cast<double>(v.size());
    double num = 0.0;
    double den = 0.0;
    for (std::size_t k = 0; k < v.size(); ++k) {
      den += (v[k] - mean) * (v[k] - mean);
      if (k + d < v.size()) num += (v[k] - mean) * (v[k + d] - mean);
    }
    return num / den;
  };
  for (const std::uint64_t state : {std::uint64_t{1}, std::uint64_t{987654321}}) {
    std::vector<double> shuffled = x;
    std::mt19937_64 engine(state);
    int atLeast = 0;
    for (int s = 0; s < 999; ++s) {
      for (std::size_t i = shuffled.size() - 1; i >= 1; --i) std::swap(shuffled[i], shuffled[engine() % (i + 1)]);
      atLeast += std::abs(lagR(shuffled)) >= std::abs(lagR(x));
    }
    const SeriesStatistics s = ComputeSeriesStatistics(x, d, state);
    EXPECT_NEAR(*s.lagCorrelation, lagR(x), 1e-12);
    EXPECT_EQ(s.lagCorrelationP, (1 + atLeast) / 1000.0) << state;
  }
}

TEST(SeriesStatistics, ALongSeriesHasItsPValueTakenOverItsFirstValues) {
  // A series of small memory whose second part remembers much more: only the
  // first kPermutationMaxValues values are shuffled, and r_d stays the whole's.
  std::vector<double> x = Ar1(0.02, kPermutationMaxValues, 3);
  const std::vector<double> tail = Ar1(0.9, 5000, 4);
  x.insert(x.end(), tail.begin(), tail.end());
  const std::span<const double> head(x.data(), kPermutationMaxValues);
  double headMean = 0.0;
  for (const double v : head) headMean += v / static_cast<double>(head.size());
  const SeriesStatistics s = ComputeSeriesStatistics(x, 1, 7, StatisticsOptions{.permutations = 19});
  EXPECT_EQ(s.lagCorrelationPValues, static_cast<std::int64_t>(kPermutationMaxValues));
  EXPECT_EQ(s.lagCorrelationP, LagCorrelationPValue(head, headMean, 1, 7, 19));
  EXPECT_EQ(s.lagCorrelation, LagCorrelation(x, s.mean.value(), 1));
  EXPECT_EQ(ComputeSeriesStatistics(tail, 1, 7).lagCorrelationPValues, 5000);
}

}  // namespace
}  // namespace rp

namespace rp {
namespace {

TEST(SeriesStatisticsOptions, HandWorkedPearsonSampenAndDfaScales) {
  // Pairs (1,2) (2,3) (3,5): about their own means 2 and 10/3.
  const std::vector<double> x{1, 2, 3, 5};
  EXPECT_DOUBLE_EQ(*PearsonLagCorrelation(x, 1), 3.0 / std::sqrt(28.0 / 3.0));
  EXPECT_DOUBLE_EQ(*LagCorrelation(x, 2.75, 1), 1.6875 / 8.75);  // the autocorrelation form differs
  EXPECT_FALSE(PearsonLagCorrelation(std::vector<double>{1, 1, 1, 2}, 1));
  EXPECT_FALSE(PearsonLagCorrelation(x, 3));

  // m = 1: B = 4 pairs of equal first values, A = 2 of them also agree next.
  EXPECT_DOUBLE_EQ(*SampleEntropy(std::vector<double>{1, 2, 1, 2, 1, 3}, 0.5, 1), std::log(2.0));
  // m = 3: three pairs of repeated templates, two still agree at the fourth value.
  EXPECT_DOUBLE_EQ(*SampleEntropy(std::vector<double>{1, 2, 3, 1, 2, 3, 1, 2, 4}, 0.5, 3), std::log(1.5));
  EXPECT_FALSE(SampleEntropy(std::vector<double>{1, 2, 3, 4}, 0.5, 3));

  EXPECT_EQ(DfaScales(100, {5, 30}), (std::vector<std::int64_t>{5, 7, 8, 10, 11, 14, 16, 20, 23, 28}));
  EXPECT_EQ(DfaScales(20, {4, 64}), (std::vector<std::int64_t>{4, 5, 6, 8, 9, 11, 13, 16, 19}));

  // The options reach the measures; no shuffles leave rd_p empty.
  const std::vector<double> ar = Ar1(0.6, 300, 5);
  StatisticsOptions options;
  options.permutations = 0;
  options.sampleEntropyTemplate = 3;
  options.sampleEntropyTolerance = 0.3;
  options.dfaScales = {5, 30};
  options.recurrence.emplace();
  const SeriesStatistics s = ComputeSeriesStatistics(ar, 1, 1, options);
  EXPECT_FALSE(s.lagCorrelationP);
  EXPECT_EQ(*s.sampleEntropy, *SampleEntropy(ar, 0.3 * *s.sd, 3));
  EXPECT_EQ(*s.dfaAlpha, *DfaAlpha(ar, *s.mean, {5, 30}));
  EXPECT_EQ(*s.lagCorrelationPearson, *PearsonLagCorrelation(ar, 1));
  EXPECT_EQ(*s.rqaDeterminism, *QuantifyRecurrence(ar, *options.recurrence).determinism);
  EXPECT_EQ(s.warning, "");
}

TEST(SeriesStatisticsOptions, WarningsNameWhatRestsOnTooFewValues) {
  EXPECT_EQ(StatisticsWarning(1000, 1, {}), "");
  EXPECT_EQ(StatisticsWarning(40, 1, {}), "only 40 values (under 50)");
  EXPECT_EQ(StatisticsWarning(60, 15, {}), "sd1 sd2 sd1_sd2 area r_d rd_p r_d_pearson on 45 values (under 50)");
  StatisticsOptions wide;
  wide.dfaScales = {4, 64};
  EXPECT_EQ(StatisticsWarning(100, 1, wide), "dfa_alpha: N = 100 is under 4 times its largest scale 64");
  wide.recurrence.emplace();
  wide.recurrence->dimension = 10;
  wide.recurrence->delay = 6;
  EXPECT_EQ(StatisticsWarning(100, 1, wide),
            "rqa on 46 values (under 50); dfa_alpha: N = 100 is under 4 times its largest scale 64");
}

}  // namespace
}  // namespace rp
