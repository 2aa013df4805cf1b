#include "platform/SynthStream.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace rp {

SynthStream::SynthStream(SynthEngine& synth, int sampleRate, Time margin)
    : synth_(synth), rate_(sampleRate), margin_(margin) {}

SynthStream::Observation SynthStream::Observed() const {
  Observation o;
  for (int spins = 0;; ++spins) {
    const unsigned before = seq_.load(std::memory_order_acquire);
    if (before % 2 != 0) {
      // The audio thread is writing; should it have lost its core to this
      // thread, a short sleep hands the core back.
      if (spins > 100) std::this_thread::sleep_for(std::chrono::microseconds(50));
      continue;
    }
    o.frame = obsFrame_.load(std::memory_order_relaxed);
    o.now = Time(obsNow_.load(std::memory_order_relaxed));
    o.latency = Time(obsLatency_.load(std::memory_order_relaxed));
    std::atomic_thread_fence(std::memory_order_acquire);
    if (seq_.load(std::memory_order_relaxed) == before) return o;
  }
}

long long SynthStream::FrameFor(Time due) const {
  const double ns = static_cast<double>((due - anchorTime_).count());
  return anchorFrame_ + std::llround(ns * rate_ / 1e9);
}

void SynthStream::Anchor(Time due, Time now) {
  const Observation o = Observed();
  const double sinceNs = static_cast<double>((now - o.now).count());
  const long long head = o.frame + std::llround(std::max(0.0, sinceNs) * rate_ / 1e9);
  // The first message sounds the margin ahead of the frame being rendered;
  // had the timing thread sent it late, the whole replay follows it by as
  // much, so the intervals stay exact.
  anchorTime_ = due;
  anchorFrame_ = head + std::llround(static_cast<double>(margin_.count()) * rate_ / 1e9);
  delay_ = margin_ + o.latency + std::max(Time{0}, now - due);
  anchored_ = true;
}

bool SynthStream::Enqueue(TimedMidi message, Time due, Time now) {
  if (!Rendering()) return false;
  if (!anchored_) Anchor(due, now);
  message.frame = FrameFor(due);
  return queue_.Push(message);
}

bool SynthStream::Push(std::span<const std::uint8_t> bytes, Time due, Time now) {
  if (bytes.empty() || bytes.size() > 3) return false;
  TimedMidi m;
  m.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), m.bytes.begin());
  return Enqueue(m, due, now);
}

void SynthStream::ReleaseAll(Time now) { (void)Enqueue(TimedMidi{}, now, now); }

void SynthStream::RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency) {
  const long long first = synth_.FramesRendered();
  const unsigned s = seq_.load(std::memory_order_relaxed);
  seq_.store(s + 1, std::memory_order_relaxed);
  std::atomic_thread_fence(std::memory_order_release);
  obsFrame_.store(first, std::memory_order_relaxed);
  obsNow_.store(now.count(), std::memory_order_relaxed);
  obsLatency_.store(latency.count(), std::memory_order_relaxed);
  seq_.store(s + 2, std::memory_order_release);

  while (auto m = queue_.Pop()) {
    if (NearestBlockStart(m->frame, synth_.BlockFrames()) < first) late_.fetch_add(1, std::memory_order_relaxed);
    scheduler_.Add(*m);
  }
  scheduler_.Render(synth_, stereo);
}

}  // namespace rp
