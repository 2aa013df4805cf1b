// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-tempo FILE...`: the tempo per beat (or bar) of
// performances aligned to their score as CSV, one row per beat of each file,
// every tempo column named by its beat.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

inline constexpr std::string_view kExportTempoUsage =
    "[--beat quarter|eighth|dotted-quarter|half|bar|N/D] [--tempo-unit ms|bpm] [--smooth BEATS] "
    "[--score-onset earliest|mean|melody|highest] [--strict] FILE...";

// The largest smoothing window, in beats.
inline constexpr double kMaxSmoothBeats = 1000.0;

int ExportTempo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
