// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Standard MIDI File as a performance: read whole by its own reader, then
// its note-ons grouped into onset events.

#include <string>

#include "analysis/LoadResult.h"

namespace rp {

class ProgressSink;
struct Performance;

LoadResult LoadMidiFile(const std::string& path, Performance& performance, ProgressSink* progress);

}  // namespace rp
