// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/FluidDriverOutput.h"

#include <fluidsynth.h>

#include <algorithm>

#include "audio/GeneralMidiSynth.h"

namespace rp {

namespace {
// Callbacks asking for more are served in pieces of this size.
constexpr int kMaxChunk = 4096;
}  // namespace

std::unique_ptr<FluidDriverOutput> FluidDriverOutput::Open(const std::string& driver, const AudioOutputOptions& options,
                                                           RenderPeriodFn render, std::string& error) {
  std::unique_ptr<FluidDriverOutput> output(new FluidDriverOutput(options, std::move(render)));
  output->settings_ = new_fluid_settings();
  if (!output->settings_) {
    error = "FluidSynth settings could not be made";
    return nullptr;
  }
  fluid_settings_setstr(output->settings_, "audio.driver", driver.c_str());
  fluid_settings_setnum(output->settings_, "synth.sample-rate", options.sampleRate);
  fluid_settings_setint(output->settings_, "audio.period-size", options.periodFrames);
  fluid_settings_setint(output->settings_, "audio.periods", std::max(2, options.bufferPeriods));
  output->driver_ = new_fluid_audio_driver2(output->settings_, &FluidDriverOutput::Callback, output.get());
  if (!output->driver_) {
    error = TakeFluidSynthMessage();
    if (error.empty()) error = "FluidSynth could not open the audio driver " + driver;
    return nullptr;
  }
  return output;
}

FluidDriverOutput::FluidDriverOutput(const AudioOutputOptions& options, RenderPeriodFn render)
    : options_(options), render_(std::move(render)), buffer_(2 * kMaxChunk), largestPeriod_(options.periodFrames) {}

FluidDriverOutput::~FluidDriverOutput() {
  if (driver_) delete_fluid_audio_driver(driver_);
  if (settings_) delete_fluid_settings(settings_);
}

ReplayClock::Time FluidDriverOutput::Period() const { return options_.Duration(largestPeriod_.load()); }

int FluidDriverOutput::Callback(void* data, int len, int, float*[], int nout, float* out[]) {
  auto& self = *static_cast<FluidDriverOutput*>(data);
  if (len > self.largestPeriod_.load(std::memory_order_relaxed)) self.largestPeriod_.store(len);
  // Queued ahead: the configured periods, or for a driver that picks its own
  // period (JACK) two of those.
  const int queued = std::max(2 * len, self.options_.periodFrames * self.options_.bufferPeriods);
  const auto now = SteadyNow();
  for (int done = 0; done < len;) {
    const int n = std::min(kMaxChunk, len - done);
    std::span<std::int16_t> chunk(self.buffer_.data(), static_cast<std::size_t>(2 * n));
    const auto latency = self.options_.Duration(queued + done);
    self.render_(chunk, now, latency);
    for (int i = 0; i < n; ++i) {
      for (int c = 0; c < std::min(nout, 2); ++c) {
        out[c][done + i] = static_cast<float>(chunk[static_cast<std::size_t>(2 * i + c)]) / 32768.0f;
      }
    }
    done += n;
  }
  return FLUID_OK;
}

}  // namespace rp
