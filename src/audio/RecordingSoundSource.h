// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording's sound rendered period by period for the sound output, on the
// output's audio thread: from a start frame on, at a tempo factor that may
// change at any time, the pitch kept by a real-time time-stretcher. At the
// factor 1 the samples go out as they are until the factor first changes;
// from then on through the stretcher, whose start delay is fed ahead and
// dropped, so output frame k is the recording's frame start + k * factor
// (summed over the factor's changes).
//
// Each period publishes when its first frame is heard and which recording
// frame that is; HeardAt() tells, on any thread, when a recording frame is
// heard. Nothing on the audio thread locks or allocates.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "midi/ReplayClock.h"

namespace rp {

class RecordingSoundSource {
 public:
  using Time = ReplayClock::Time;

  // `mono` must outlive the source. Plays from `startFrame` at `factor`.
  RecordingSoundSource(std::span<const std::int16_t> mono, int sampleRate, long long startFrame, double factor);
  ~RecordingSoundSource();
  RecordingSoundSource(const RecordingSoundSource&) = delete;
  RecordingSoundSource& operator=(const RecordingSoundSource&) = delete;

  // Any thread; from the next period on.
  void SetFactor(double factor) { factor_.store(factor, std::memory_order_relaxed); }
  // Until then the periods are silent (a new sound stream may skip what it
  // gets first).
  void Begin() { playing_.store(true, std::memory_order_release); }

  // Audio thread: the next period, heard `latency` after `now`.
  void RenderPeriod(std::span<std::int16_t> stereo, Time now, Time latency);
  // Frames rendered so far, silent ones included (any thread).
  long long FramesRendered() const { return rendered_.load(std::memory_order_acquire); }

  // When recording frame `frame` is (or was) heard; nothing until the first
  // period played has been rendered (any thread).
  std::optional<Time> HeardAt(double frame) const;
  long long FrameCount() const { return static_cast<long long>(mono_.size()); }

 private:
  void Copy(std::span<std::int16_t> stereo);
  void Stretch(std::span<std::int16_t> stereo, double factor);
  void StartStretching(double factor);
  void Publish(Time heard, double position, double factor);

  std::span<const std::int16_t> mono_;
  int rate_;
  struct Stretcher;  // the Rubber Band stretcher
  std::unique_ptr<Stretcher> stretcher_;
  std::vector<float> in_;
  std::vector<float> out_;

  // Audio thread state.
  double position_;           // recording frame of the next output frame
  long long inputFrame_ = 0;  // next frame fed to the stretcher
  bool stretching_ = false;
  double ratioFactor_ = 1.0;  // the factor the stretcher is set to
  long long toDrop_ = 0;      // the stretcher's start delay still to drop
  long long played_ = 0;      // output frames since Begin()

  std::atomic<double> factor_;
  std::atomic<bool> playing_{false};
  std::atomic<long long> rendered_{0};
  // The last period's first frame: when heard, its recording frame and the
  // factor, under a sequence count (odd while written).
  std::atomic<unsigned> sequence_{0};
  std::atomic<Time::rep> heard_{0};
  std::atomic<double> heardPosition_{-1.0};
  std::atomic<double> heardFactor_{1.0};
};

}  // namespace rp
