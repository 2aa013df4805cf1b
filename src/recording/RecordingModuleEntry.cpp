// SPDX-License-Identifier: GPL-3.0-or-later
// The recording module's one exported function (io/RecordingModuleAbi.h).

#include <new>

#include "io/RecordingModuleAbi.h"
#include "recording/RecordingAnalysis.h"

extern "C" __attribute__((visibility("default"))) void RpReadRecordingV1(const rp::RecordingRequest* request,
                                                                         rp::RecordingRead* result) {
  try {
    *result = rp::AnalyseRecordingFile(*request);
  } catch (const std::bad_alloc&) {
    *result = {};
    result->error = "not enough memory to read it";
  }
}
