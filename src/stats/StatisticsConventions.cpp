// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatisticsConventions.h"

#include <sstream>

#include "model/ShortestNumber.h"

namespace rp {

namespace {

constexpr std::string_view kPearsonName = "r_d_pearson";

std::string_view ConventionOf(std::string_view name) {
  struct Entry {
    std::string_view name;
    std::string_view convention;
  };
  static constexpr Entry kConventions[] = {
      {"mean", "m, the arithmetic mean of x_1..x_N"},
      {"sd", "sample standard deviation, divisor N-1"},
      {"cv", "sd / m; empty when m <= 0"},
      {"sd1", "sample sd (divisor M-1) of (x_k - x_k+d)/sqrt(2), k = 1..M, M = N-d: across the identity line"},
      {"sd2", "sample sd (divisor M-1) of (x_k + x_k+d)/sqrt(2), k = 1..M: along the identity line"},
      {"sd1_sd2", "sd1 / sd2 (not sd2 / sd1); empty when sd2 is 0"},
      {"area", "pi * sd1 * sd2, the area of the ellipse with half-axes sd1 and sd2"},
      {"r_d",
       "lag-d autocorrelation: sum_{k=1..N-d} (x_k - m)(x_k+d - m) / sum_{k=1..N} (x_k - m)^2, deviations from the "
       "whole series' mean over its whole sum of squares"},
      {"rd_p",
       "permutation p-value of r_d: (1 + shuffles with |r_d| at least the observed) / (shuffles + 1), Fisher-Yates "
       "shuffles from std::mt19937_64 started from the random state"},
      {kPearsonName, "Pearson correlation of the pairs (x_k, x_k+d), k = 1..N-d, each side about its own mean"},
      {"dfa_alpha",
       "DFA-1: profile of the deviations from m; scales floor(MIN*2^(j/4)) up to MAX; non-overlapping windows "
       "from the start; least-squares slope of ln F(n) on ln n"},
      {"sampen",
       "sample entropy -ln(A/B): B pairs i < j of templates of m values within r in every value (Chebyshev), A "
       "the same at m+1 values, over the same N-m starting points; r a fraction of the sd"},
      {"rqa_radius",
       "the recurrence radius used: given, or the smallest distance within which the asked recurrence rate of "
       "the counted cells lies; maximum norm of the embedded vectors"},
      {"rqa_rr", "recurrence rate: recurrent cells / cells outside the Theiler window"},
      {"rqa_det", "determinism: cells in diagonal lines of 2 or more / recurrent cells, outside the Theiler window"},
      {"rqa_l", "mean length of the diagonal lines of 2 or more cells"},
      {"rqa_lmax", "longest diagonal line outside the Theiler window"},
      {"rqa_entr", "Shannon entropy (natural log) of the lengths of the diagonal lines of 2 or more cells"},
      {"rqa_lam", "laminarity: cells in vertical lines of 2 or more / recurrent cells, whole plot (no Theiler window)"},
      {"rqa_tt", "trapping time: mean length of the vertical lines of 2 or more cells, whole plot"},
  };
  for (const Entry& e : kConventions)
    if (e.name == name) return e.convention;
  return {};
}

}  // namespace

std::vector<ReportedMeasure> ReportedMeasures(bool pearson, bool rqa) {
  std::vector<ReportedMeasure> measures;
  for (const StatisticsColumn& column : StatisticsColumns()) {
    measures.push_back({column.name, column.value, ConventionOf(column.name), column.name != "rd_p"});
    if (pearson && column.name == "rd_p")
      measures.push_back({kPearsonName, &SeriesStatistics::lagCorrelationPearson, ConventionOf(kPearsonName), true});
  }
  if (!rqa) return measures;
  static constexpr std::pair<std::string_view, std::optional<double> SeriesStatistics::*> kRecurrence[] = {
      {"rqa_radius", &SeriesStatistics::rqaRadius},    {"rqa_rr", &SeriesStatistics::rqaRate},
      {"rqa_det", &SeriesStatistics::rqaDeterminism},  {"rqa_l", &SeriesStatistics::rqaMeanLine},
      {"rqa_lmax", &SeriesStatistics::rqaLongestLine}, {"rqa_entr", &SeriesStatistics::rqaLineEntropy},
      {"rqa_lam", &SeriesStatistics::rqaLaminarity},   {"rqa_tt", &SeriesStatistics::rqaTrappingTime},
  };
  for (const auto& [name, value] : kRecurrence)
    measures.push_back({name, value, ConventionOf(name), name != "rqa_radius"});
  return measures;
}

std::string DescribeStatisticsOptions(std::int32_t delay, std::uint64_t randomState, const StatisticsOptions& options) {
  std::ostringstream text;
  text << "delay d = " << delay << "; rd_p from " << options.permutations << " shuffles, random state " << randomState
       << "; sampen m = " << options.sampleEntropyTemplate << ", r = " << ShortestNumber(options.sampleEntropyTolerance)
       << " sd; dfa_alpha scales from " << options.dfaScales.min << " to ";
  if (options.dfaScales.max > 0) {
    text << options.dfaScales.max;
  } else {
    text << "N/4";
  }
  if (const std::optional<RecurrenceSettings>& r = options.recurrence) {
    text << "; rqa embedding dimension " << r->dimension << ", delay " << r->delay << ", ";
    if (r->radius) {
      text << "radius " << ShortestNumber(*r->radius);
    } else {
      text << "radius for recurrence rate " << ShortestNumber(r->rate);
    }
    text << ", Theiler window " << r->theilerWindow << ", maximum norm, lines of " << kRecurrenceMinLine << " or more";
  }
  return text.str();
}

}  // namespace rp
