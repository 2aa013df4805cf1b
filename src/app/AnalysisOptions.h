// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `--cluster-ms MS`, `--delay D`, `--times-unit s|ms`, `--event-velocity
// first|loudest|highest`, `--score-onset earliest|mean|melody|highest`,
// `--score SCORE` (each performance aligned to that MusicXML score as it is
// read), and
// for recordings `--onset-method M`,
// `--onset-threshold T`, `--onset-silence-db DB` and `--onset-min-ioi-ms MS`:
// the analysis settings on the command line, for
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
    "[--cluster-ms MS] [--delay D] [--times-unit s|ms] [--event-velocity first|loudest|highest] "
    "[--score-onset earliest|mean|melody|highest] [--onset-method M] [--onset-threshold T] [--onset-silence-db DB] "
    "[--onset-min-ioi-ms MS] [--score SCORE.musicxml]";

// The options as given; each is absent unless named.
struct AnalysisOptions {
  std::optional<double> clusterWindowMs;
  std::optional<std::int32_t> delay;
  std::optional<TimesUnit> timesUnit;
  std::optional<EventVelocity> eventVelocity;
  std::optional<ScoreOnset> scoreOnset;
  std::optional<OnsetMethod> onsetMethod;
  std::optional<double> onsetThreshold;
  std::optional<double> onsetSilenceDb;
  std::optional<double> onsetMinIoiMs;
  std::optional<std::string> scoreFile;

  bool Any() const {
    return clusterWindowMs || delay || timesUnit || eventVelocity || scoreOnset || onsetMethod || onsetThreshold ||
           onsetSilenceDb || onsetMinIoiMs || scoreFile;
  }
  // `base` with the given options in place of its values.
  AnalysisSettings Over(AnalysisSettings base = {}) const;
};

// True for the option names above.
bool IsAnalysisOption(std::string_view arg);

// Takes every analysis option and its value out of `args` (the last of each
// counts). A missing, non-numeric or out-of-range value: one line on `err`
// and nothing.
std::optional<AnalysisOptions> TakeAnalysisOptions(std::vector<std::string>& args, std::ostream& err);

}  // namespace rp
