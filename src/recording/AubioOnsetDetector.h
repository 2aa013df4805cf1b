// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The onset detector of the aubio library, fed one hop of mono samples at a
// time. Each detection function reports an onset some time after the sound
// began (its analysis window must take the attack in, and the peak picker
// must see the function fall again); `DetectorDelay` is that time, measured
// for each function, and the onsets given out are already moved back by it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace rp {

// The analysis frame: `hop` samples between two frames, `window` samples
// each, chosen from the sample rate so frames are about 5.8 ms apart and
// 46 ms long at any rate.
struct DetectorShape {
  std::size_t hop = 256;
  std::size_t window = 1024;
};
DetectorShape ShapeForSampleRate(int sampleRate);

struct RawOnset {
  std::int64_t sample = 0;  // moved back by the detector's delay; may be < 0
  double strength = 0.0;
};

class AubioOnsetDetector {
 public:
  // `method` as aubio names it; `Error()` says why it cannot be made.
  AubioOnsetDetector(const std::string& method, DetectorShape shape, int sampleRate, double threshold,
                     double silenceDb);
  ~AubioOnsetDetector();
  AubioOnsetDetector(const AubioOnsetDetector&) = delete;
  AubioOnsetDetector& operator=(const AubioOnsetDetector&) = delete;

  const std::string& Error() const { return error_; }
  std::size_t Hop() const { return shape_.hop; }

  // Takes the next `Hop()` samples; an onset when this hop revealed one.
  std::optional<RawOnset> Feed(const float* hop);

 private:
  DetectorShape shape_;
  std::string error_;
  void* onset_ = nullptr;   // aubio_onset_t
  void* input_ = nullptr;   // fvec_t, one hop
  void* output_ = nullptr;  // fvec_t, one value
  std::int64_t delaySamples_ = 0;
  double recent_[3] = {};  // the detection function of the last frames
};

// How long after the sound begins each detection function reports it, in
// hops (the same in hops at every sample rate): the detector's known delay.
double DetectorDelayHops(const std::string& method);

}  // namespace rp
