// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every measure of one series (intervals, velocities or tempo of a
// performance) the statistics report: a pure function of the values, the
// delay d and the random state of the permutation test, safe to call from
// any thread. An empty measure is one the series has too few values for, or
// that a constant series does not have.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/DetrendedFluctuation.h"
#include "stats/LagCorrelation.h"
#include "stats/Recurrence.h"
#include "stats/SampleEntropy.h"

namespace rp {

struct SeriesStatistics {
  std::int64_t n = 0;
  std::optional<double> mean;
  std::optional<double> sd;   // divisor N − 1
  std::optional<double> cv;   // sd / mean; empty when mean ≤ 0
  std::optional<double> sd1;  // see PoincareDescriptors
  std::optional<double> sd2;
  std::optional<double> sd1Sd2;
  std::optional<double> area;
  std::optional<double> lagCorrelation;  // r_d, see LagCorrelation
  std::optional<double> lagCorrelationP;
  std::optional<double> lagCorrelationPearson;  // r_d_pearson, see LagCorrelation
  std::optional<double> dfaAlpha;               // see DetrendedFluctuation
  std::optional<double> sampleEntropy;          // see SampleEntropy
  // How many values the sample entropy is taken over: all of them, or the
  // first kSampleEntropyMaxValues of a longer series.
  std::int64_t sampleEntropyValues = 0;
  // How many values rd_p is taken over: all of them, or the first
  // kPermutationMaxValues of a longer series.
  std::int64_t lagCorrelationPValues = 0;
  // The recurrence quantification, when asked for (see Recurrence).
  std::optional<double> rqaRadius;
  std::optional<double> rqaRate;
  std::optional<double> rqaDeterminism;
  std::optional<double> rqaMeanLine;
  std::optional<double> rqaLongestLine;
  std::optional<double> rqaLineEntropy;
  std::optional<double> rqaLaminarity;
  std::optional<double> rqaTrappingTime;
  // What makes a measure of this series unreliable, in words; empty when
  // nothing does (see StatisticsWarning).
  std::string warning;
};

// How the measures are taken where the user may choose.
struct StatisticsOptions {
  int permutations = kPermutationShuffles;             // shuffles of rd_p; 0: no rd_p
  int sampleEntropyTemplate = kSampleEntropyTemplate;  // m
  double sampleEntropyTolerance = 0.2;                 // r as a fraction of the sd
  DfaScaleRange dfaScales;
  std::optional<RecurrenceSettings> recurrence;  // the rqa_ measures, when present
};

// Fewer values than this under a measure make it unreliable.
inline constexpr std::int64_t kFewValues = 50;

// The measures with their column names, in the order of the CSV output after
// `n`; the Statistics table shows the same.
struct StatisticsColumn {
  std::string_view name;
  std::optional<double> SeriesStatistics::*value;
};
const std::array<StatisticsColumn, 11>& StatisticsColumns();

// A series with a value that is not a finite number has only `n`. A constant
// series (sd 0) has cv 0 (when its mean is above 0), sd1 = sd2 =
// area = 0, and no sd1_sd2, r_d, its p-value, dfa_alpha or sampen. The sample
// entropy's r is 0.2 times the sd of the values it goes over.
SeriesStatistics ComputeSeriesStatistics(std::span<const double> x, std::int32_t delay, std::uint64_t randomState);
SeriesStatistics ComputeSeriesStatistics(std::span<const double> x, std::int32_t delay, std::uint64_t randomState,
                                         const StatisticsOptions& options);

// The warning of a series of `count` values: that it has fewer than
// kFewValues values, or else the measures that rest on fewer (the return-map
// measures and r_d on N − d pairs, sampen on N − m templates, the rqa_
// measures on N' vectors); and dfa_alpha when N is under 4 times its largest
// scale. Items joined by "; ".
std::string StatisticsWarning(std::int64_t count, std::int32_t delay, const StatisticsOptions& options);

}  // namespace rp
