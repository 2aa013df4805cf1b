// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sample frames of a sound server as microseconds on one clock: the server
// counts frames in 32 bits (wrapping after a day or so), and a take needs
// them as times from its first message. Every time is computed afresh from
// the frames counted since the first one and rounded once, so no rounding
// adds up and a take of any length keeps in step with the server's count.

#include <cstdint>

namespace rp {

class FrameTimeline {
 public:
  explicit FrameTimeline(std::uint32_t sampleRate) : sampleRate_(sampleRate == 0 ? 1 : sampleRate) {}

  // The time of `frame` in microseconds after the first frame given (which
  // is 0). Frames come in order: a frame below the last one is the counter
  // having wrapped.
  std::int64_t Microseconds(std::uint32_t frame) {
    if (!started_) {
      started_ = true;
      last_ = frame;
    }
    sinceFirst_ += static_cast<std::uint32_t>(frame - last_);
    last_ = frame;
    return static_cast<std::int64_t>((sinceFirst_ * 1'000'000 + sampleRate_ / 2) / sampleRate_);
  }

 private:
  std::uint64_t sampleRate_;
  bool started_ = false;
  std::uint32_t last_ = 0;
  std::uint64_t sinceFirst_ = 0;
};

}  // namespace rp
