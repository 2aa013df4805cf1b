// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `--stats`: the return-map statistics of whole corpora as CSV, one row per
// file and series, the files read and measured side by side.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

inline constexpr std::string_view kStatsUsage =
    "[--jobs N] [--random-state S] [--cluster-ms MS] [--delay D] [--permutations N] [--sampen-m M] [--sampen-r R] "
    "[--dfa-scales MIN:MAX] [--extended] [--header-comments] [--features] [--ci LEVEL [--ci-block L] [--ci-resamples "
    "B]] "
    "[--window N [--step M] | --window-bars B [--step M]] [--rqa [--rqa-dim M] [--rqa-delay T] "
    "[--rqa-radius R | --rqa-rate Q] [--rqa-theiler W]] FILE...";

// Prints the header and the rows; status 0, 1 when a file could not be read,
// the usage error for bad arguments.
int RunStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
