// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --export-features FILE...`: what every performance gives
// beyond its onsets as CSV, one row per onset event of each file (a score
// position of a match file, an onset cluster of a MIDI performance) in the
// columns of features/FeatureColumns.h after the file's name.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace rp {

inline constexpr std::string_view kExportFeaturesUsage = "[--cluster-ms MS] [--strict] FILE...";

int ExportFeatures(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace rp
