// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of FluidSynth's own audio drivers (JACK, ALSA, ...) in callback mode:
// the driver calls back for each period and the program renders it. These
// drivers do not report their latency, so it is taken as the buffer they were
// asked for (ALSA) or two periods of what they ask for (JACK).

#include <atomic>
#include <string>
#include <vector>

#include "audio/AudioOutput.h"

struct _fluid_audio_driver_t;
struct _fluid_hashtable_t;

namespace rp {

class FluidDriverOutput final : public AudioOutput {
 public:
  static std::unique_ptr<FluidDriverOutput> Open(const std::string& driver, const AudioOutputOptions& options,
                                                 RenderPeriodFn render, std::string& error);
  ~FluidDriverOutput() override;

  ReplayClock::Time Period() const override;

 private:
  FluidDriverOutput(const AudioOutputOptions& options, RenderPeriodFn render);
  static int Callback(void* self, int len, int nfx, float* fx[], int nout, float* out[]);

  AudioOutputOptions options_;
  RenderPeriodFn render_;
  std::vector<std::int16_t> buffer_;
  std::atomic<int> largestPeriod_;
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace rp
