// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --snapshot OUT.png [--velocity] [--event N [--tail T]]
// [FILE [FILE...] | --scatter FILE.csv]`: start as usual without asking
// anything, draw one frame, save the plot as PNG, exit. The first FILE is
// the main performance, the others are compared with it.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AnalysisOptions.h"

namespace rp {

struct SnapshotOptions {
  std::string output;                     // the PNG to write
  bool velocity = false;                  // velocity values instead of timing
  std::optional<std::int32_t> event;      // show the tail of this event
  std::int32_t tail = 10;                 // its length
  std::optional<std::string> file;        // the performance
  std::vector<std::string> compareFiles;  // shown beside it
  std::optional<std::string> scatter;     // or a scatter file
  AnalysisOptions analysis;               // over the defaults, never the stored settings
};

inline constexpr std::string_view kSnapshotUsage =
    "--snapshot OUT.png [--velocity] [--event N [--tail T]] [--cluster-ms MS] [--delay D] [--times-unit s|ms] "
    "[FILE [FILE...] | --scatter FILE.csv]";

// The arguments after "--snapshot". On a usage error: a message on `err`
// and nothing.
std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
