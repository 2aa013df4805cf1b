// SPDX-License-Identifier: GPL-3.0-or-later
// The recording module's exported functions (io/RecordingModuleAbi.h).

#include <new>

#include "io/RecordingModuleAbi.h"
#include "recording/RecordingAnalysis.h"
#include "recording/WholeRecording.h"

extern "C" __attribute__((visibility("default"))) void RpReadRecordingV1(const rp::RecordingRequest* request,
                                                                         rp::RecordingRead* result) {
  try {
    *result = rp::AnalyseRecordingFile(*request);
  } catch (const std::bad_alloc&) {
    *result = {};
    result->error = "not enough memory to read it";
  }
}

extern "C" __attribute__((visibility("default"))) void RpReadRecordingSoundV1(const rp::RecordingSoundRequest* request,
                                                                              rp::RecordingSamples* result) {
  try {
    *result = rp::ReadWholeRecording(*request);
  } catch (const std::bad_alloc&) {
    *result = {};
    result->error = "not enough memory to read it";
  }
}
