// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live synthesizer's audio stream, sample-accurate: the replay's timing
// thread pushes each message, ahead of time, with the clock time it is due,
// and the audio thread renders the stream period by period, applying every
// message at the frame that belongs to its time (see SampleScheduler for the
// block rule).
//
// Due times become frames by one linear map per replay, made on the audio
// thread: the first message after Restart() sounds at the first block
// boundary of the period being rendered when it arrives, and every later
// message of the
// replay exactly (due - first due) * rate frames after it, whatever the
// period, the callback jitter or when the timing thread pushed it. A message
// whose frame has been rendered already when it arrives (the timing thread
// starved beyond its look-ahead) sounds in the next period and is counted.
//
// So a message due at T is heard at T + SoundDelay(): the wait for the period
// that took the first message plus the output latency the sound server
// reported for it.
//
// Threads: Push, ReleaseAll, Restart and SoundDelay come from one producer at
// a time (the MIDI port serialises them); RenderPeriod and NextPeriodStarts-
// Replay from the audio thread. Nothing here locks or allocates on the audio
// thread.

#include <atomic>
#include <cstdint>
#include <span>

#include "midi/ReplayClock.h"
#include "synth/SampleScheduler.h"
#include "synth/SpscQueue.h"
#include "synth/SynthEngine.h"

namespace rp {

class SynthStream {
 public:
  using Time = ReplayClock::Time;

  SynthStream(SynthEngine& synth, int sampleRate);

  // Producer side.
  // The next message starts a new map (a new replay).
  void Restart() { ++map_; }
  // False for a message that is not 1 to 3 bytes, or when the queue is full
  // (the audio thread has stopped taking messages); it is then dropped.
  bool Push(std::span<const std::uint8_t> bytes, Time due);
  // Releases every note at the frame of `now` and drops whatever was pushed
  // before and is due later.
  void ReleaseAll(Time now);
  // From a message's due time to when it is heard, for the current map. Until
  // the audio thread has taken the map's first message, an estimate: the
  // output latency it saw last plus one period.
  Time SoundDelay() const;

  // Audio side.
  // True when the next message waiting begins a new replay: an output that
  // holds nothing but silence may then drop it, so the replay starts at once.
  bool NextPeriodStartsReplay() const;
  // Renders the next period. `now` is when it is rendered and `latency` how
  // long after `now` its first frame will be heard.
  void RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency);
  // Frames rendered so far (any thread).
  long long FramesRendered() const { return rendered_.load(std::memory_order_acquire); }
  // Messages that came too late for their frame (since the stream was made).
  long long LateMessages() const { return late_.load(std::memory_order_relaxed); }

 private:
  struct Queued {
    TimedMidi midi;
    Time::rep due = 0;
    unsigned map = 0;
  };
  bool Enqueue(const TimedMidi& midi, Time due);

  SynthEngine& synth_;
  int rate_;
  SpscQueue<Queued, 4096> queue_;
  SampleScheduler scheduler_;

  // Producer state.
  unsigned map_ = 1;

  // Audio thread state, and what it publishes.
  unsigned placedMap_ = 0;
  Time::rep anchorDue_ = 0;
  long long anchorFrame_ = 0;
  std::atomic<unsigned> publishedMap_{0};
  std::atomic<Time::rep> delay_{0};  // of publishedMap_
  std::atomic<Time::rep> lastLatency_{0};
  std::atomic<Time::rep> lastPeriod_{0};
  std::atomic<long long> late_{0};
  std::atomic<long long> rendered_{0};
};

}  // namespace rp
