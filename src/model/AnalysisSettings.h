// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the analysis turns note events into onset events: the cluster window
// and the delay d; the unit of a plain list of times; and for a recording how
// its onsets are found. The windows, the command line and the stored settings
// all hold the same limits.

#include <cstdint>
#include <string>

#include "model/OnsetDetectionSettings.h"

namespace rp {

// The unit of the numbers of a plain list of times (one time a line).
enum class TimesUnit { Seconds, Milliseconds };

struct AnalysisSettings {
  // A note-on more than this many ms after its cluster's first note-on opens
  // a new cluster.
  double clusterWindowMs = 50.0;
  // d: event n is plotted against events n + d and n + 2d.
  std::int32_t delay = 1;
  TimesUnit timesUnit = TimesUnit::Seconds;
  // How a recording's onsets are found before they are grouped.
  OnsetDetectionSettings onsets;

  bool operator==(const AnalysisSettings&) const = default;
};

inline constexpr double kMinClusterWindowMs = 0.0;
inline constexpr double kMaxClusterWindowMs = 1000.0;
inline constexpr std::int32_t kMinDelay = 1;
inline constexpr std::int32_t kMaxDelay = 50;

// False for NaN and everything outside the limits.
bool IsValidClusterWindow(double ms);
bool IsValidDelay(std::int64_t d);

// What the plot says beside its caption about settings that differ from the
// defaults: "d = 3, cluster 30 ms", "d = 2", "cluster 12.5 ms", or "" when
// both are the defaults.
std::string AnalysisSettingsNote(const AnalysisSettings& settings);

}  // namespace rp
