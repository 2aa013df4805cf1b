// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `returnplot --record OUT.txt --input NAME [--seconds S] [--overwrite]
// [--cluster-ms MS] [--delay D] [--event-velocity first|loudest|highest]`:
// the options of a recording without windows. OUT must be a .txt file.

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/AnalysisSettings.h"

namespace rp {

struct RecordOptions {
  std::string output;             // the listing to write
  std::string input;              // part of the input's name
  std::optional<double> seconds;  // how long; until SIGINT/SIGTERM without
  bool overwrite = false;         // an existing OUT may be replaced
  AnalysisSettings settings;
};

inline constexpr std::string_view kRecordUsage =
    "OUT.txt --input NAME [--seconds S] [--overwrite] [--cluster-ms MS] [--delay D] [--event-velocity "
    "first|loudest|highest]";

// The arguments after "--record". On a usage error: one line on `err` and nothing.
std::optional<RecordOptions> ParseRecordOptions(const std::vector<std::string>& args, std::ostream& err);

// "" when a take may be recorded into `options.output`: its folder exists,
// it is no folder itself, it is not there yet unless `overwrite` says it
// may be replaced, and no earlier take is kept in its recovery file.
// Otherwise one line for the user, before anything is played.
std::string TakeDestinationProblem(const RecordOptions& options);

// Where the notes are kept while recording: OUT.txt.recording.
std::string RecoveryPathOf(const RecordOptions& options);

}  // namespace rp
