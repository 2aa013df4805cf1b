// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording's detected onsets as the note events of a performance, so they
// run through the same onset analysis as note-ons: a spread chord, its notes
// heard within the cluster window, becomes one event.

#include "io/RecordingReader.h"

namespace rp {

struct Performance;

// One note-on per onset, in time order, with its loudness in
// `noteLoudnessDb`; the performance's velocities become dB. Each note has key
// 60 and a MIDI velocity that rises with its loudness (-60 dB and below is 1,
// 0 dB is 127), so a replay through the synthesizer sounds the onsets.
// Leaves the onset events to the analysis.
void TakeRecordingOnsets(const std::vector<DetectedOnset>& onsets, Performance& performance);

// What a performance read from MIDI holds: MIDI velocities, no loudness.
void ForgetRecordingLoudness(Performance& performance);

}  // namespace rp
