// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program keeps between runs, in ~/.config/returnplot/returnplot.conf:
// the analysis settings, the replay's velocity scale, the plot's display
// options (not its event range), the alignment of compared performances and
// the folder of the last performance opened through the file dialog.

#include <optional>
#include <string>

#include "model/AnalysisSettings.h"
#include "model/ComparedAlignment.h"
#include "model/VelocityScale.h"
#include "plot/DisplayOptions.h"

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

// Empty until a file has been opened.
std::string StoredFileFolder();
// Keeps the folder that holds `path`.
void StoreFileFolderOf(const std::string& path);

}  // namespace rp
