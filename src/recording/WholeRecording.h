// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording module's reading of a whole recording for its replay: the
// channels mixed as for the onsets, in 16 bits (half the memory of floats;
// plenty for listening).

#include "io/RecordingModuleAbi.h"

namespace rp {

RecordingSamples ReadWholeRecording(const RecordingSoundRequest& request);

}  // namespace rp
