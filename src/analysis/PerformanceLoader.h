// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a performance file: an ASCII MIDI listing, a Standard MIDI File, a
// match file (a performance aligned to its score), a list of times or a
// recording, told apart by content (PerformanceFileKind), each read by its
// own loader (ListingLoad, MidiFileLoad, GivenEventsLoad, RecordingLoad)
// into the notes and onset events of a performance. A plain list of times is
// read in the unit of the performance's settings.
//
// The file is read into a new performance, which takes the place of the
// loaded one only when the read has ended: a file that cannot be opened or
// read, or a load that is cancelled, leaves the performance as it was, and
// the read can run on a thread of its own while the windows go on showing
// and replaying the loaded one (the session does so).

#include <string>

#include "analysis/LoadResult.h"

namespace rp {

class ProgressSink;
struct Performance;

// Reads and analyses `path` into `fresh`, a performance of its own that holds
// the settings to use and that nothing else sees meanwhile; any thread may
// run it. `progress` (null: a load nobody watches) shows the passes, and a
// cancel it asks for (ProgressSink::CancelRequested) ends the read as
// LoadStatus::Cancelled.
LoadResult ReadPerformanceFile(const std::string& path, Performance& fresh, ProgressSink* progress);

// ReadPerformanceFile into a new performance with the settings of
// `performance`, which it replaces when the read gives one; failures are
// returned, not shown.
LoadResult LoadPerformanceFile(const std::string& path, Performance& performance, ProgressSink* progress = nullptr);

}  // namespace rp
