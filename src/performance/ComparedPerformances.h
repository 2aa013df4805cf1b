#pragma once
// The performances shown beside the main one for comparison, in the order
// they were added: the same piece by other players, or the same player on
// other days. Each is read by the same loader as the main one and analysed
// with the main one's settings; the plot draws each in a colour of its own.

#include <cstddef>
#include <string>
#include <vector>

#include "performance/Performance.h"

namespace rp {

class ProgressSink;

// The plot shows at most this many performances: the main one and 7 compared.
inline constexpr std::size_t kMaxShownPerformances = 8;
inline constexpr std::size_t kMaxComparedPerformances = kMaxShownPerformances - 1;

using ComparedPerformances = std::vector<Performance>;

struct CompareLoadReport {
  std::size_t added = 0;
  // For the user, one per file that failed to load (naming it), and one
  // naming the files left out for want of room.
  std::vector<std::string> messages;
};

// Loads `paths` in order and appends every one that loads to `compared`,
// analysed with `settings`. A file that cannot be loaded is reported and
// left out; the others stay. Files beyond the room left are not read.
// `progress` shows the progress window of each load (its count labels are
// the main performance's and stay as they are).
CompareLoadReport AddComparedPerformances(const std::vector<std::string>& paths, ComparedPerformances& compared,
                                          const AnalysisSettings& settings, ProgressSink* progress = nullptr);

// The file name without its folders, as the legend and the hover label show it.
std::string PerformanceDisplayName(const Performance& performance);

}  // namespace rp
