// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An audio file (WAV, FLAC, Ogg/Vorbis, MP3, or anything else the sound-file
// library reads) as one channel: each frame is the mean of its channels, in
// floats where full scale is 1.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "recording/DecoderNoiseFilter.h"

namespace rp {

inline constexpr int kMinRecordingSampleRate = 4000;
inline constexpr int kMaxRecordingSampleRate = 768000;

class MonoAudioFile {
 public:
  // Opens `path`; when that fails, or the file cannot be a recording (no
  // sound, a sample rate outside the limits), `Error()` says why.
  explicit MonoAudioFile(const std::string& path);
  ~MonoAudioFile();
  MonoAudioFile(const MonoAudioFile&) = delete;
  MonoAudioFile& operator=(const MonoAudioFile&) = delete;

  // Empty while the file can be read.
  const std::string& Error() const { return error_; }
  int SampleRate() const { return sampleRate_; }
  int Channels() const { return channels_; }
  // As the header says; -1 when it does not say.
  std::int64_t Frames() const { return frames_; }

  // Reads up to `count` frames into `out`: the number read, 0 at the end or
  // after an error.
  std::size_t Read(float* out, std::size_t count);
  // After the end: sets `Error()` when fewer frames came than the header
  // announced (a file cut short) or the decoder failed on the way.
  void CheckComplete(std::int64_t framesRead);

 private:
  // From the first byte read to the file's close: the decoder says nothing.
  DecoderNoiseFilter quietDecoder_;
  void* file_ = nullptr;  // SNDFILE
  std::string error_;
  int sampleRate_ = 0;
  int channels_ = 0;
  std::int64_t frames_ = -1;
  // The announced length when the file is shorter than its header says.
  std::int64_t announcedFrames_ = -1;
  std::vector<float> interleaved_;
  std::size_t ReadSome(float* out, std::size_t count);
};

}  // namespace rp
