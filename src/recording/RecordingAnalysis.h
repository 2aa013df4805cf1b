// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recording module's work: read a recording in hops, find its onsets and
// the loudness of each, in one pass over the file with only the last few
// seconds of sound in memory.

#include "io/RecordingModuleAbi.h"

namespace rp {

RecordingRead AnalyseRecordingFile(const RecordingRequest& request);

}  // namespace rp
