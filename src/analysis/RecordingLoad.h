// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording as a performance: the sound read and its onsets found whole
// (through the recording module) before anything of the current
// performance changes, so a failed or cancelled read leaves it as it was.

#include <string>

#include "analysis/LoadResult.h"

namespace rp {

class ProgressSink;
struct Performance;

LoadResult LoadRecordingFile(const std::string& path, Performance& performance, ProgressSink* progress);

}  // namespace rp
