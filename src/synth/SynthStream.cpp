// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth/SynthStream.h"

#include <algorithm>
#include <cmath>

namespace rp {

SynthStream::SynthStream(SynthEngine& synth, int sampleRate) : synth_(synth), rate_(sampleRate) {}

bool SynthStream::Enqueue(const TimedMidi& midi, Time due) { return queue_.Push(Queued{midi, due.count(), map_}); }

bool SynthStream::Push(std::span<const std::uint8_t> bytes, Time due) {
  if (bytes.empty() || bytes.size() > 3) return false;
  TimedMidi m;
  m.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), m.bytes.begin());
  return Enqueue(m, due);
}

void SynthStream::ReleaseAll(Time now) { (void)Enqueue(TimedMidi{}, now); }

SynthStream::Time SynthStream::SoundDelay() const {
  if (publishedMap_.load(std::memory_order_acquire) == map_) return Time(delay_.load(std::memory_order_relaxed));
  return Time(lastLatency_.load(std::memory_order_relaxed) + lastPeriod_.load(std::memory_order_relaxed));
}

bool SynthStream::NextPeriodStartsReplay() const {
  const Queued* next = queue_.Peek();
  return next != nullptr && next->map != placedMap_;
}

void SynthStream::RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency) {
  const long long first = synth_.FramesRendered();
  lastLatency_.store(latency.count(), std::memory_order_relaxed);
  lastPeriod_.store(static_cast<Time::rep>(1e9 * static_cast<double>(stereo.size() / 2) / rate_),
                    std::memory_order_relaxed);
  while (auto q = queue_.Pop()) {
    if (q->map != placedMap_) {
      // A replay's first message sounds at the first block boundary of this
      // period.
      const int block = synth_.BlockFrames();
      placedMap_ = q->map;
      anchorDue_ = q->due;
      anchorFrame_ = (first + block - 1) / block * block;
      const double wait = 1e9 * static_cast<double>(anchorFrame_ - first) / rate_;
      delay_.store((now + latency).count() + static_cast<Time::rep>(wait) - q->due, std::memory_order_relaxed);
      publishedMap_.store(q->map, std::memory_order_release);
    }
    TimedMidi m = q->midi;
    m.frame = anchorFrame_ + std::llround(static_cast<double>(q->due - anchorDue_) * rate_ / 1e9);
    if (m.length > 0 && NearestBlockStart(m.frame, synth_.BlockFrames()) < first) {
      late_.fetch_add(1, std::memory_order_relaxed);
    }
    scheduler_.Add(m);
  }
  scheduler_.Render(synth_, stereo);
  rendered_.store(synth_.FramesRendered(), std::memory_order_release);
}

}  // namespace rp
