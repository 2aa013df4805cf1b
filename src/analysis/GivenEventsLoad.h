// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A match file (a performance aligned to its score) or a list of times as a
// performance: read whole by its own reader; its events come with it.

#include <string>
#include <string_view>

#include "analysis/LoadResult.h"

namespace rp {

class ProgressSink;
struct Performance;

LoadResult LoadGivenEvents(const std::string& path, bool isMatchFile, Performance& performance, ProgressSink* progress);

// A match file's text, read as if from `path` (a performance aligned to its
// score as it is opened).
LoadResult LoadMatchText(std::string_view text, const std::string& path, Performance& performance,
                         ProgressSink* progress);

}  // namespace rp
