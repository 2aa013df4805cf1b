// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Places timed MIDI messages at their frames in a synthesizer's output. The
// synthesizer applies a message only where one of its internal blocks starts,
// so each message sounds at the block boundary nearest to its frame: at most
// half a block (0.73 ms at 44.1 kHz with FluidSynth's 64-frame blocks) from
// where it belongs, early or late, instead of up to a whole block late.
// The live synthesizer and the offline WAV render both go through here, so
// both sound the same.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "synth/SynthEngine.h"

namespace rp {

struct TimedMidi {
  long long frame = 0;  // in the synthesizer's frame count
  std::array<std::uint8_t, 3> bytes{};
  std::uint8_t length = 0;  // 0: release every sounding note
};

// The multiple of `block` nearest to `frame` (halves go to the later one).
long long NearestBlockStart(long long frame, int block);

class SampleScheduler {
 public:
  // Room for this many messages waiting at once before Add allocates.
  explicit SampleScheduler(std::size_t reserve = 4096) { pending_.reserve(reserve); }

  // Keeps messages in frame order; equal frames in the order they came. A
  // release (length 0) drops every waiting message due after it: what was
  // queued ahead of a stop is not played.
  void Add(const TimedMidi& message);
  // Renders the synthesizer's next frames, applying each waiting message at
  // the block boundary nearest its frame; one whose boundary has passed
  // already (it came late) is applied at once.
  void Render(SynthEngine& synth, std::span<std::int16_t> stereo);
  std::size_t Waiting() const { return pending_.size() - next_; }
  void Clear();

 private:
  std::vector<TimedMidi> pending_;
  std::size_t next_ = 0;  // pending_[0, next_) are applied
};

}  // namespace rp
