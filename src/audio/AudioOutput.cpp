// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/AudioOutput.h"

#include "audio/FluidDriverOutput.h"
#include "audio/PulseAudioOutput.h"
#include "audio/WavFileOutput.h"

namespace rp {

std::unique_ptr<AudioOutput> OpenAudioOutput(const std::string& driver, const AudioOutputOptions& options,
                                             RenderPeriodFn render, StartsReplayFn startsReplay, std::string& error) {
  if (driver == "pulseaudio") {
    return PulseAudioOutput::Open(options, std::move(render), std::move(startsReplay), error);
  }
  if (driver == "file") return WavFileOutput::Open(options, std::move(render), error);
  return FluidDriverOutput::Open(driver, options, std::move(render), error);
}

}  // namespace rp
