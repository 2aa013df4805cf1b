// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What passes between the programs and the recording module: two functions,
// looked up by name, that read a recording's onsets and its sound. Both sides are built from the
// same sources by the same compiler, so the result travels as the program's
// own `RecordingRead`; the number in the name changes whenever this does.

#include "io/RecordingReader.h"
#include "io/RecordingSamples.h"

namespace rp {

struct RecordingRequest {
  const char* path = nullptr;
  const char* method = "specflux";  // `OnsetMethodName`
  double threshold = 0.4;
  double silenceDb = -70.0;
  double minIoiMs = 20.0;
  // Called now and then with the part of the file read (0 to 1, or -1 when
  // the length is unknown); false asks the read to stop.
  bool (*progress)(void* context, double done) = nullptr;
  void* context = nullptr;
};

using ReadRecordingEntry = void (*)(const RecordingRequest* request, RecordingRead* result);

inline constexpr char kReadRecordingSymbol[] = "RpReadRecordingV1";

struct RecordingSoundRequest {
  const char* path = nullptr;
  // Asked now and then; false stops the read.
  bool (*keepGoing)(void* context) = nullptr;
  void* context = nullptr;
};

using ReadRecordingSoundEntry = void (*)(const RecordingSoundRequest* request, RecordingSamples* result);

inline constexpr char kReadRecordingSoundSymbol[] = "RpReadRecordingSoundV1";
// The module's file name, beside the desktop program.
inline constexpr char kRecordingModuleName[] = "returnplot-recording.so";

}  // namespace rp
