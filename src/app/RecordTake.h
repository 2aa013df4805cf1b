// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording without windows behind `returnplot --record`: from the first
// MIDI input whose name contains the given text, until the given seconds have
// passed, `stopRequested` turns true (SIGINT, SIGTERM) or the input goes away.
// Notes are kept in OUT.txt.recording as they come (at most a second behind),
// and at the end OUT.txt is written through a temporary file and a rename and
// the .recording file removed.

#include <atomic>
#include <iosfwd>

#include "app/RecordOptions.h"

namespace rp {

class MidiInput;

// The exit status: 0 when the take was saved (also after the input went
// away), kExitCannotOpen when there is no such input or it cannot be opened,
// 1 when OUT.txt may not be written (refused before anything is recorded)
// or the take cannot be saved (the .recording file then stays).
int RecordTake(const RecordOptions& options, MidiInput& input, const std::atomic<bool>& stopRequested,
               std::ostream& out, std::ostream& err);

}  // namespace rp
