// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A live audio output that asks the program for its sound period by period:
// the built-in synthesizer renders each period on the output's own thread
// (or in its callback) and is told when that period will be heard.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "midi/ReplayClock.h"

namespace rp {

// Fills one period of interleaved 16-bit stereo; `now` is when it is
// rendered, `latency` how long after that its first frame is heard.
using RenderPeriodFn =
    std::function<void(std::span<std::int16_t> stereo, ReplayClock::Time now, ReplayClock::Time latency)>;

// Asked before each period by an output that can drop the sound it has
// queued but not yet played: true when the next period begins a replay. An
// output holding nothing but silence then drops it, so the replay is heard at
// once instead of after the queue.
using StartsReplayFn = std::function<bool()>;

struct AudioOutputOptions {
  int sampleRate = 44100;
  int periodFrames = 128;  // frames rendered per call
  int bufferPeriods = 4;   // periods the sound server keeps queued
  std::string wavPath;     // for the driver "file"

  ReplayClock::Time Duration(long long frames) const {
    return ReplayClock::Time(static_cast<ReplayClock::Time::rep>(1e9 * static_cast<double>(frames) / sampleRate));
  }
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // The longest stretch rendered in one go (callback drivers may ask for more
  // than periodFrames).
  virtual ReplayClock::Time Period() const = 0;
  // Frames rendered once the output's sound is surely being played: what
  // fills its queue at once and a little more.
  virtual long long WarmUpFrames() const { return 0; }
  // False once the output has stopped for good (its sound server went away).
  virtual bool Running() const { return true; }
};

// Opens `driver`: "pulseaudio" (also PipeWire's PulseAudio service) through
// libpulse, which reports the server's latency; "file" writes a WAV file in
// real time (for machines without sound); any other name is one of
// FluidSynth's own drivers ("jack", "alsa", ...). Only the PulseAudio output
// asks `startsReplay`. Nothing, with `error` set, when it can't be opened.
std::unique_ptr<AudioOutput> OpenAudioOutput(const std::string& driver, const AudioOutputOptions& options,
                                             RenderPeriodFn render, StartsReplayFn startsReplay, std::string& error);

}  // namespace rp
