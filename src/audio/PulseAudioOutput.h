// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PulseAudio playback through libpulse's simple API on a thread of our own:
// render a period, ask the server how long until it plays what was written
// so far, write. The server's own latency figure is what places the plot in
// step with the sound. PipeWire serves the same protocol.
//
// The server keeps a few periods queued so that a busy machine does not run
// it dry; a replay that starts while all of that is silence has it dropped
// (a flush), so the first note is heard after the sink's own latency rather
// than behind the queue.

#include <atomic>
#include <string>
#include <thread>

#include "audio/AudioOutput.h"

struct pa_simple;

namespace rp {

class PulseAudioOutput final : public AudioOutput {
 public:
  // Connects (to PULSE_SERVER / PULSE_SINK when set); nothing on failure.
  static std::unique_ptr<PulseAudioOutput> Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                                StartsReplayFn startsReplay, std::string& error);
  ~PulseAudioOutput() override;

  ReplayClock::Time Period() const override;
  long long WarmUpFrames() const override;
  bool Running() const override { return !stopped_; }

 private:
  PulseAudioOutput(pa_simple* stream, const AudioOutputOptions& options, RenderPeriodFn render,
                   StartsReplayFn startsReplay);
  void Run();

  pa_simple* stream_;
  AudioOutputOptions options_;
  RenderPeriodFn render_;
  StartsReplayFn startsReplay_;
  std::atomic<bool> quit_{false};
  std::atomic<bool> stopped_{false};  // the server refused a write
  std::thread thread_;
};

}  // namespace rp
