// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sound output for machines without sound: writes what would be played to
// a WAV file, period by period at the pace of the clock, so the live device
// can be checked anywhere. Its latency is nil: a period is "heard" when it is
// written.

#include <atomic>
#include <string>
#include <thread>

#include "audio/AudioOutput.h"
#include "io/WavWriter.h"

namespace rp {

class WavFileOutput final : public AudioOutput {
 public:
  static std::unique_ptr<WavFileOutput> Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                             std::string& error);
  ~WavFileOutput() override;

  ReplayClock::Time Period() const override;

 private:
  WavFileOutput(const AudioOutputOptions& options, RenderPeriodFn render);
  void Run();

  AudioOutputOptions options_;
  RenderPeriodFn render_;
  WavWriter wav_;
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

}  // namespace rp
