// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Adding performances for comparison: each file is read by the same loader as
// the main one and analysed with the main one's settings.

#include <cstddef>
#include <string>
#include <vector>

#include "model/AnalysisSettings.h"
#include "model/ComparedPerformances.h"

namespace rp {

class ProgressSink;

struct CompareLoadReport {
  std::size_t added = 0;
  // For the user, one per file that failed to load (naming it), and one
  // naming the files left out for want of room.
  std::vector<std::string> messages;
};

// Loads `paths` in order and appends every one that loads to `compared`,
// analysed with `settings`. A file that cannot be loaded is reported and
// left out; the others stay. Files beyond the room left (besides `compared`,
// `comparedElsewhere` are shown already) are not read. `progress` shows the
// progress window of each load (its count labels are the main performance's
// and stay as they are); a cancel it asks for ends the loading with
// WorkCancelled.
CompareLoadReport AddComparedPerformances(const std::vector<std::string>& paths, ComparedPerformances& compared,
                                          const AnalysisSettings& settings, ProgressSink* progress = nullptr,
                                          std::size_t comparedElsewhere = 0);

}  // namespace rp
