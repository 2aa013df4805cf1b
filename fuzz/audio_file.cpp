// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the recording reader: the audio decoders behind it, the mixing to
// mono, the onset detection, the refinement and the loudness, from bytes
// written to a file as a user's recording would be.
//
// Beyond "no crash, no sanitizer report": a file is either read or refused
// with a reason and no onsets; what is read has a sample rate within the
// limits, onsets in time order at least the minimum interval apart, within
// the recording, with finite strengths and loudness.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzInputFile.h"
#include "recording/MonoAudioFile.h"
#include "recording/OnsetLoudness.h"
#include "recording/RecordingAnalysis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace rp;
  static fuzz::FuzzInputFile file(".audio");
  file.Write(data, size);
  RecordingRequest request;
  request.path = file.path().c_str();
  const RecordingRead read = AnalyseRecordingFile(request);
  if (!read.error.empty()) {
    RP_FUZZ_CHECK(read.onsets.empty());
    return 0;
  }
  RP_FUZZ_CHECK(read.sampleRate >= kMinRecordingSampleRate && read.sampleRate <= kMaxRecordingSampleRate);
  RP_FUZZ_CHECK(read.channels >= 1);
  RP_FUZZ_CHECK(std::isfinite(read.durationMs) && read.durationMs > 0);
  RP_FUZZ_CHECK(!read.onsets.empty());
  const double oneSampleMs = 1000.0 / read.sampleRate;
  double last = -1e9;
  for (const DetectedOnset& onset : read.onsets) {
    RP_FUZZ_CHECK(onset.timeMs >= 0 && onset.timeMs <= read.durationMs + 0.01);  // times to 0.01 ms
    RP_FUZZ_CHECK(onset.timeMs - last >= request.minIoiMs - oneSampleMs - 0.01);
    RP_FUZZ_CHECK(std::isfinite(onset.strength));
    RP_FUZZ_CHECK(std::isfinite(onset.loudnessDb) && onset.loudnessDb >= kSilenceFloorDb);
    last = onset.timeMs;
  }
  return 0;
}
