// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An ASCII MIDI listing as a performance. Its notes are read from the open
// file, then grouped into onset events. Watched by a progress window it is
// read in two passes (the fields counted for the bar and the records, then
// the notes, cancellable at every poll; a read error keeps what was read);
// watched by nobody it is read once, a large file in two halves at once (a
// read error anywhere gives no performance).

#include <cstdio>
#include <string>

#include "analysis/LoadResult.h"

namespace rp {

class ProgressSink;
struct Performance;

// `file` stands at its start; `text` says whether its first bytes look like
// text, `velocityScale` how loud its replay plays its velocities.
LoadResult LoadListing(std::FILE* file, const std::string& path, double velocityScale, bool text,
                       Performance& performance, ProgressSink* progress);

}  // namespace rp
