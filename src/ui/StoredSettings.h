// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program keeps between runs, in ~/.config/returnplot/returnplot.conf:
// the analysis settings, the replay's velocity scale, the plot's display
// options (not its event range), the alignment of compared performances, the
// Statistics window's choices and the folder of the last performance opened
// through the file dialog.

#include <optional>
#include <string>

#include "chart/WindowMeasures.h"
#include "model/AnalysisSettings.h"
#include "model/ComparedAlignment.h"
#include "model/VelocityScale.h"
#include "plot/DisplayOptions.h"
#include "stats/Recurrence.h"
#include "stats/SeriesStatistics.h"

namespace rp {

// The stored settings; a value that is missing or out of range reads as its default.
AnalysisSettings StoredAnalysisSettings();
void StoreAnalysisSettings(const AnalysisSettings& settings);

// By provenance unless a scale was stored.
VelocityScaleChoice StoredVelocityScale();
void StoreVelocityScale(const VelocityScaleChoice& choice);

// Logarithmic axes, identity line and colours by time; all events.
DisplayOptions StoredDisplayOptions();
void StoreDisplayOptions(const DisplayOptions& options);
// How compared performances are aligned; nothing until chosen.
std::optional<AlignBy> StoredAlignBy();
void StoreAlignBy(AlignBy by);

// The Statistics window's choices: how the measures are taken (shuffles,
// sampen m and r), the confidence level of the intervals, the windows and
// the measure drawn over them, and the recurrence plots' options.
struct StatisticsChoices {
  StatisticsOptions measures;
  int ciPercent = 0;  // 0: no intervals; else 90, 95 or 99
  WindowChoice windows;
  std::string windowMeasure = "mean";
  RecurrenceSettings recurrence;  // a radius, or none for that of the recurrence rate
};
// The defaults until chosen.
StatisticsChoices StoredStatisticsChoices();
void StoreStatisticsChoices(const StatisticsChoices& choices);

// Empty until a file has been opened.
std::string StoredFileFolder();
// Keeps the folder that holds `path`.
void StoreFileFolderOf(const std::string& path);

}  // namespace rp
