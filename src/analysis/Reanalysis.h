// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Analysing a loaded performance again with other settings: its note events
// stay as read (the file is not read again), its onset events are made anew.
// A performance whose events come with the file keeps them and gets only
// their values anew (a plain list of times also its times, when the unit
// changed).
// A recording is the exception when the onset detection settings changed:
// its onsets are found again in the file.

#include <cstdint>
#include <string>

#include "model/AnalysisSettings.h"

namespace rp {

struct Performance;
struct ReplayPosition;

// Takes `settings` as the performance's own and runs the onset analysis over
// its note events again. Empty, or why a recording's onsets could not be
// found again (it then keeps the onsets it had).
std::string Reanalyse(Performance& performance, const AnalysisSettings& settings);

// The event whose onset is `onsetMs`, else the last event that starts before
// it (the one that now holds a note-on at that time), as an index into the
// performance's events; 0 when there is none.
std::int32_t EventAtOrBefore(const Performance& performance, double onsetMs);

// Reanalyse, and the current event of `position` moved to the event with the
// same onset time as before, or to the one that took that time in (a
// performance whose events come with the file keeps its current event).
// Returns what the user is to be told, empty when all went well.
std::string ReanalyseKeepingPosition(Performance& performance, ReplayPosition& position,
                                     const AnalysisSettings& settings);

}  // namespace rp
