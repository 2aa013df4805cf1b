// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth/SampleScheduler.h"

#include <algorithm>

namespace rp {

long long NearestBlockStart(long long frame, int block) {
  const long long b = block;
  const long long below = (frame >= 0 ? frame : frame - b + 1) / b * b;
  return frame - below >= (b + 1) / 2 ? below + b : below;
}

void SampleScheduler::Add(const TimedMidi& message) {
  // Messages almost always come in order, so this is an append.
  const auto at = std::upper_bound(pending_.begin() + static_cast<std::ptrdiff_t>(next_), pending_.end(), message.frame,
                                   [](long long frame, const TimedMidi& m) { return frame < m.frame; });
  if (message.length == 0) {
    pending_.erase(at, pending_.end());
    pending_.push_back(message);
    return;
  }
  pending_.insert(at, message);
}

void SampleScheduler::Clear() {
  pending_.clear();
  next_ = 0;
}

void SampleScheduler::Render(SynthEngine& synth, std::span<std::int16_t> stereo) {
  const int block = synth.BlockFrames();
  long long done = synth.FramesRendered();
  const long long end = done + static_cast<long long>(stereo.size() / 2);
  std::size_t offset = 0;
  while (true) {
    // Everything due by the boundary at `done` goes in before that block.
    while (next_ < pending_.size() && NearestBlockStart(pending_[next_].frame, block) <= done) {
      const TimedMidi& m = pending_[next_++];
      if (m.length == 0) {
        synth.ReleaseAll();
      } else {
        synth.Apply(std::span(m.bytes.data(), m.length));
      }
    }
    if (done >= end) break;
    long long until = end;
    if (next_ < pending_.size()) until = std::min(until, NearestBlockStart(pending_[next_].frame, block));
    const auto frames = static_cast<std::size_t>(until - done);
    synth.Render(stereo.subspan(offset, 2 * frames));
    offset += 2 * frames;
    done = until;
  }
  if (next_ == pending_.size()) {
    Clear();
  } else if (next_ >= pending_.capacity() / 2) {
    // Drop what was applied without giving up the reserved room, so the
    // audio thread does not allocate in a long dense passage.
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(next_));
    next_ = 0;
  }
}

}  // namespace rp
