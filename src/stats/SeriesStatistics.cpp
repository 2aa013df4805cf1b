// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/SeriesStatistics.h"

#include <algorithm>
#include <cmath>

#include "stats/MeanAndSd.h"
#include "stats/PoincareDescriptors.h"

namespace rp {

namespace {

MeanAndSd MomentsOf(std::span<const double> x) {
  // Equal values have exactly their value as mean and 0 as sd, whatever the
  // rounding of their sum would make of them.
  if (std::all_of(x.begin(), x.end(), [&](double v) { return v == x.front(); }))
    return {x.front(), x.size() >= 2 ? std::optional<double>(0.0) : std::nullopt};
  return MeanAndSampleSd(x.size(), [&](std::size_t k) { return x[k]; });
}

}  // namespace

const std::array<StatisticsColumn, 11>& StatisticsColumns() {
  static const std::array<StatisticsColumn, 11> kColumns = {{
      {"mean", &SeriesStatistics::mean},
      {"sd", &SeriesStatistics::sd},
      {"cv", &SeriesStatistics::cv},
      {"sd1", &SeriesStatistics::sd1},
      {"sd2", &SeriesStatistics::sd2},
      {"sd1_sd2", &SeriesStatistics::sd1Sd2},
      {"area", &SeriesStatistics::area},
      {"r_d", &SeriesStatistics::lagCorrelation},
      {"rd_p", &SeriesStatistics::lagCorrelationP},
      {"dfa_alpha", &SeriesStatistics::dfaAlpha},
      {"sampen", &SeriesStatistics::sampleEntropy},
  }};
  return kColumns;
}

SeriesStatistics ComputeSeriesStatistics(std::span<const double> x, std::int32_t delay, std::uint64_t randomState) {
  return ComputeSeriesStatistics(x, delay, randomState, StatisticsOptions{});
}

SeriesStatistics ComputeSeriesStatistics(std::span<const double> x, std::int32_t delay, std::uint64_t randomState,
                                         const StatisticsOptions& options) {
  SeriesStatistics s;
  s.n = static_cast<std::int64_t>(x.size());
  s.warning = StatisticsWarning(s.n, delay, options);
  // A value that is no number (or infinite) leaves nothing to measure, and
  // would leave the sample entropy's sort without an order.
  if (x.empty() || !std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); })) return s;
  const std::span<const double> head = x.first(std::min(x.size(), kSampleEntropyMaxValues));
  s.sampleEntropyValues = static_cast<std::int64_t>(head.size());
  const MeanAndSd moments = MomentsOf(x);
  s.mean = moments.mean;
  s.sd = moments.sd;
  if (s.sd && moments.mean > 0.0) s.cv = *s.sd / moments.mean;
  if (options.recurrence) {
    const RecurrenceQuantification q = QuantifyRecurrence(x, *options.recurrence);
    s.rqaRadius = q.radius;
    s.rqaRate = q.rate;
    s.rqaDeterminism = q.determinism;
    s.rqaMeanLine = q.meanLine;
    s.rqaLongestLine = q.longestLine;
    s.rqaLineEntropy = q.lineEntropy;
    s.rqaLaminarity = q.laminarity;
    s.rqaTrappingTime = q.trappingTime;
  }
  if (s.sd == 0.0) {
    if (x.size() >= static_cast<std::size_t>(delay) + 2) s.sd1 = s.sd2 = s.area = 0.0;
    return s;
  }
  const PoincareDescriptors map = DescribeReturnMap(x, delay);
  s.sd1 = map.sd1;
  s.sd2 = map.sd2;
  s.sd1Sd2 = map.sd1Sd2;
  s.area = map.area;
  s.lagCorrelation = LagCorrelation(x, moments.mean, delay);
  const std::span<const double> shuffled = x.first(std::min(x.size(), kPermutationMaxValues));
  s.lagCorrelationPValues = static_cast<std::int64_t>(shuffled.size());
  const double shuffledMean = shuffled.size() == x.size() ? moments.mean : MomentsOf(shuffled).mean;
  s.lagCorrelationP = LagCorrelationPValue(shuffled, shuffledMean, delay, randomState, options.permutations);
  s.lagCorrelationPearson = PearsonLagCorrelation(x, delay);
  s.dfaAlpha = DfaAlpha(x, moments.mean, options.dfaScales);
  const MeanAndSd headMoments = head.size() == x.size() ? moments : MomentsOf(head);
  if (headMoments.sd > 0.0)
    s.sampleEntropy =
        SampleEntropy(head, options.sampleEntropyTolerance * *headMoments.sd, options.sampleEntropyTemplate);
  return s;
}

std::string StatisticsWarning(std::int64_t count, std::int32_t delay, const StatisticsOptions& options) {
  std::vector<std::string> items;
  const auto few = [&](std::int64_t values, const char* measures) {
    if (values < kFewValues)
      items.push_back(std::string(measures) + " on " + std::to_string(std::max<std::int64_t>(0, values)) +
                      " values (under " + std::to_string(kFewValues) + ")");
  };
  if (count < kFewValues) {
    items.push_back("only " + std::to_string(count) + " values (under " + std::to_string(kFewValues) + ")");
  } else {
    few(count - delay, "sd1 sd2 sd1_sd2 area r_d rd_p r_d_pearson");
    few(count - options.sampleEntropyTemplate, "sampen");
    if (options.recurrence)
      few(static_cast<std::int64_t>(EmbeddedCount(static_cast<std::size_t>(count), *options.recurrence)), "rqa");
  }
  const std::vector<std::int64_t> scales =
      DfaScales(static_cast<std::size_t>(std::max<std::int64_t>(0, count)), options.dfaScales);
  if (!scales.empty() && count < 4 * scales.back())
    items.push_back("dfa_alpha: N = " + std::to_string(count) + " is under 4 times its largest scale " +
                    std::to_string(scales.back()));
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : "; ") + item;
  return text;
}

}  // namespace rp
