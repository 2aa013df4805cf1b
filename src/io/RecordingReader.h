// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a recording (WAV, FLAC, Ogg/Vorbis, MP3; any number of channels,
// mixed to mono by their mean) as the onsets of a performance, each with its
// loudness. The decoders and the onset detector live in the recording module
// (returnplot-recording.so beside the desktop program), loaded the first time
// a recording is read: programs that never read one never load them.

#include <string>
#include <vector>

#include "model/OnsetDetectionSettings.h"

namespace rp {

class ProgressSink;

// One onset as the detector found it, before onsets are grouped into events.
struct DetectedOnset {
  double timeMs = 0.0;  // where the sound begins, from the first sample
  // The detection function's peak value: how clearly it stands out.
  double strength = 0.0;
  // The highest RMS level in dB relative to full scale (a full-scale square
  // wave is 0 dB) over whole 10 ms windows from the onset up to 50 ms later
  // or the next onset, whichever comes first (one shorter window when the
  // next onset comes within 10 ms).
  double loudnessDb = 0.0;
};

struct RecordingRead {
  std::vector<DetectedOnset> onsets;  // in time order
  double durationMs = 0.0;
  int sampleRate = 0;
  int channels = 0;
  std::string error;  // why, for the user (the callers name the file); empty when the recording was read
  bool cancelled = false;
  bool Ok() const { return error.empty() && !cancelled; }
};

// Reads and analyses the recording at `path`. `progress`, when given, shows
// the part read and may cancel (`ProgressSink::CancelRequested`); a cancelled
// read returns `cancelled` and no onsets. A recording with no onset is an
// error.
RecordingRead ReadRecording(const std::string& path, const OnsetDetectionSettings& settings,
                            ProgressSink* progress = nullptr);

}  // namespace rp
