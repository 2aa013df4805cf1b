#pragma once
// PulseAudio playback through libpulse's simple API on a thread of our own:
// render a period, ask the server how long until it plays what was written
// so far, write. The server's own latency figure is what places the plot in
// step with the sound. PipeWire serves the same protocol.

#include <atomic>
#include <string>
#include <thread>

#include "platform/midi/AudioOutput.h"

struct pa_simple;

namespace rp {

class PulseAudioOutput final : public AudioOutput {
 public:
  // Connects (to PULSE_SERVER / PULSE_SINK when set); nothing on failure.
  static std::unique_ptr<PulseAudioOutput> Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                                std::string& error);
  ~PulseAudioOutput() override;

  ReplayClock::Time Period() const override;
  long long WarmUpFrames() const override;

 private:
  PulseAudioOutput(pa_simple* stream, const AudioOutputOptions& options, RenderPeriodFn render);
  void Run();

  pa_simple* stream_;
  AudioOutputOptions options_;
  RenderPeriodFn render_;
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

}  // namespace rp
