// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `--cluster-ms MS`, `--delay D`, `--times-unit s|ms` and `--event-velocity
// first|loudest|highest`: the analysis settings on the command line, for
// every command that analyses a performance and for the windows.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/AnalysisSettings.h"

namespace rp {

inline constexpr std::string_view kAnalysisOptionsUsage =
    "[--cluster-ms MS] [--delay D] [--times-unit s|ms] [--event-velocity first|loudest|highest]";

// The options as given; each is absent unless named.
struct AnalysisOptions {
  std::optional<double> clusterWindowMs;
  std::optional<std::int32_t> delay;
  std::optional<TimesUnit> timesUnit;
  std::optional<EventVelocity> eventVelocity;

  bool Any() const { return clusterWindowMs || delay || timesUnit || eventVelocity; }
  // `base` with the given options in place of its values.
  AnalysisSettings Over(AnalysisSettings base = {}) const;
};

// True for "--cluster-ms", "--delay", "--times-unit" and "--event-velocity".
bool IsAnalysisOption(std::string_view arg);

// Takes every analysis option and its value out of `args` (the last of each
// counts). A missing, non-numeric or out-of-range value: one line on
// `err` and nothing.
std::optional<AnalysisOptions> TakeAnalysisOptions(std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
