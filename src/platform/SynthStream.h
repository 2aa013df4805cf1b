#pragma once
// The live synthesizer's audio stream, sample-accurate: the replay's timing
// thread pushes each message with the clock time it is due, and the audio
// thread renders the stream period by period, applying every message at the
// frame that belongs to its time (see SampleScheduler for the block rule).
//
// Due times become frames by one linear map per replay, taken at the first
// message after Restart(): the frame the audio thread is rendering at that
// moment, plus a margin that covers one audio period and the timing thread's
// lateness, is where that message sounds. From there on every message lands
// exactly (due - anchor) * rate frames later, whatever the period, the
// callback jitter or the timing thread's lateness within the margin. A message
// that comes later than the margin allows is applied at the next period.
//
// So a message due at T is heard at T + SoundDelay(): the margin plus the
// output latency the sound server reported at the anchor.
//
// Threads: Push, ReleaseAll, Restart and SoundDelay come from one producer at
// a time (the MIDI port serialises them); RenderPeriod from the audio thread.
// Nothing here locks or allocates on the audio thread.

#include <atomic>
#include <cstdint>
#include <span>

#include "platform/ReplayClock.h"
#include "platform/SampleScheduler.h"
#include "platform/SpscQueue.h"
#include "platform/SynthEngine.h"

namespace rp {

class SynthStream {
 public:
  using Time = ReplayClock::Time;

  // `margin`: how far ahead of the frame being rendered the first message of
  // a replay is placed.
  SynthStream(SynthEngine& synth, int sampleRate, Time margin);

  // Producer side.
  // From the next map on (the output's period decides it).
  void SetMargin(Time margin) { margin_ = margin; }
  // The next message starts a new map (a new replay).
  void Restart() { anchored_ = false; }
  // False when no period has been rendered yet or the queue is full; the
  // message is then dropped.
  bool Push(std::span<const std::uint8_t> bytes, Time due, Time now);
  // Releases every note after whatever was pushed before.
  void ReleaseAll(Time now);
  // From a message's due time to when it is heard, for the current map;
  // zero before its first message.
  Time SoundDelay() const { return anchored_ ? delay_ : Time{0}; }

  // Audio side: renders the next period. `now` is when it is rendered and
  // `latency` how long after `now` its first frame will be heard.
  void RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency);
  bool Rendering() const { return seq_.load(std::memory_order_acquire) > 0; }
  // The first frame and the time of the last period rendered.
  long long LastPeriodFrame() const { return Observed().frame; }
  Time LastPeriodTime() const { return Observed().now; }
  // Messages that came too late for their frame (since the stream was made).
  long long LateMessages() const { return late_.load(std::memory_order_relaxed); }

 private:
  struct Observation {
    long long frame = 0;  // first frame of the last period rendered
    Time now{0};
    Time latency{0};
  };
  Observation Observed() const;
  void Anchor(Time due, Time now);
  long long FrameFor(Time due) const;
  bool Enqueue(TimedMidi message, Time due, Time now);

  SynthEngine& synth_;
  int rate_;
  Time margin_;
  SpscQueue<TimedMidi, 4096> queue_;
  SampleScheduler scheduler_;

  // Written by the audio thread under a sequence lock (odd while writing).
  std::atomic<unsigned> seq_{0};
  std::atomic<long long> obsFrame_{0};
  std::atomic<Time::rep> obsNow_{0};
  std::atomic<Time::rep> obsLatency_{0};
  std::atomic<long long> late_{0};

  // Producer state.
  bool anchored_ = false;
  Time anchorTime_{0};
  long long anchorFrame_ = 0;
  Time delay_{0};
};

}  // namespace rp
