// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measures as reported, each with its convention in words: tools differ
// on most of them (sample or population deviation, SD1/SD2 or SD2/SD1, the
// autocorrelation or the Pearson form of r_d, the DFA scales, the RQA norm),
// so every reported value names the one it follows.

#include <string>
#include <string_view>
#include <vector>

#include "stats/SeriesStatistics.h"

namespace rp {

struct ReportedMeasure {
  std::string_view name;
  std::optional<double> SeriesStatistics::*value;
  std::string_view convention;
  bool hasInterval;  // whether a bootstrap interval of it means anything
};

// The measures in the order of the CSV: those of StatisticsColumns, with
// r_d_pearson after r_d when `pearson`, then the rqa_ measures when `rqa`.
std::vector<ReportedMeasure> ReportedMeasures(bool pearson, bool rqa);

// The settings the measures were taken with, in one line of words.
std::string DescribeStatisticsOptions(std::int32_t delay, std::uint64_t randomState, const StatisticsOptions& options);

}  // namespace rp
