// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/AubioOnsetDetector.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace rp {

namespace {

aubio_onset_t* Onset(void* p) { return static_cast<aubio_onset_t*>(p); }
fvec_t* Vector(void* p) { return static_cast<fvec_t*>(p); }

// aubio reports its errors through this instead of on standard error.
void KeepAubioMessage(int level, const char* message, void* data) {
  (void)level;
  if (data != nullptr && message != nullptr) *static_cast<std::string*>(data) = message;
}

}  // namespace

DetectorShape ShapeForSampleRate(int sampleRate) {
  DetectorShape shape;
  // The power of two nearest 5.8 ms.
  const double wanted = sampleRate * 0.0058;
  shape.hop = 16;
  while (shape.hop < 8192 && static_cast<double>(shape.hop) * 1.5 < wanted) shape.hop *= 2;
  shape.window = 8 * shape.hop;
  return shape;
}

double DetectorDelayHops(const std::string& method) {
  // Measured on piano rendered from MIDI with two SoundFonts (the Vienna 4x22
  // files through TimGM6mb and FluidR3): the median time from a note-on to
  // the onset aubio reports for it, with no delay of its own and an analysis
  // window of 8 hops, a little less than halfway between the two sounds, so
  // the refinement's search (30 ms before, 15 ms after) takes in the attack
  // of either.
  if (method == "energy") return 0.5;
  if (method == "complex" || method == "phase") return 5.0;
  if (method == "specflux") return 5.0;
  if (method == "wphase") return 6.0;
  if (method == "mkl" || method == "hfc") return 6.5;
  if (method == "kl") return 7.0;
  if (method == "specdiff") return 7.5;
  return 5.0;
}

AubioOnsetDetector::AubioOnsetDetector(const std::string& method, DetectorShape shape, int sampleRate, double threshold,
                                       double silenceDb)
    : shape_(shape) {
  std::string message;
  aubio_log_set_function(&KeepAubioMessage, &message);
  onset_ = new_aubio_onset(method.c_str(), static_cast<uint_t>(shape.window), static_cast<uint_t>(shape.hop),
                           static_cast<uint_t>(sampleRate));
  aubio_log_reset();
  if (onset_ == nullptr) {
    error_ = "the onset detector cannot be made with method \"" + method + "\"" +
             (message.empty() ? std::string() : ": " + message);
    return;
  }
  aubio_onset_set_threshold(Onset(onset_), static_cast<smpl_t>(threshold));
  aubio_onset_set_silence(Onset(onset_), static_cast<smpl_t>(silenceDb));
  // The shortest interval is kept by the caller, on the onsets as finally
  // placed: aubio's own also holds back every onset within that time of the
  // file's start.
  aubio_onset_set_minioi_ms(Onset(onset_), 0);
  // The delay is taken back here, where it can go below zero.
  aubio_onset_set_delay(Onset(onset_), 0);
  delaySamples_ = std::llround(DetectorDelayHops(method) * static_cast<double>(shape.hop));
  input_ = new_fvec(static_cast<uint_t>(shape.hop));
  output_ = new_fvec(1);
}

AubioOnsetDetector::~AubioOnsetDetector() {
  if (onset_ != nullptr) del_aubio_onset(Onset(onset_));
  if (input_ != nullptr) del_fvec(Vector(input_));
  if (output_ != nullptr) del_fvec(Vector(output_));
}

std::optional<RawOnset> AubioOnsetDetector::Feed(const float* hop) {
  if (onset_ == nullptr) return std::nullopt;
  std::memcpy(Vector(input_)->data, hop, shape_.hop * sizeof(float));
  aubio_onset_do(Onset(onset_), Vector(input_), Vector(output_));
  recent_[0] = recent_[1];
  recent_[1] = recent_[2];
  recent_[2] = aubio_onset_get_descriptor(Onset(onset_));
  if (Vector(output_)->data[0] <= 0) return std::nullopt;
  RawOnset onset;
  onset.sample = static_cast<std::int64_t>(aubio_onset_get_last(Onset(onset_))) - delaySamples_;
  onset.strength = std::max({recent_[0], recent_[1], recent_[2]});
  return onset;
}

}  // namespace rp
