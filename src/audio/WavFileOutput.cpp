// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/WavFileOutput.h"

#include <vector>

namespace rp {

std::unique_ptr<WavFileOutput> WavFileOutput::Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                                   std::string& error) {
  std::unique_ptr<WavFileOutput> output(new WavFileOutput(options, std::move(render)));
  error = output->wav_.Open(options.wavPath, {options.sampleRate, 2});
  if (!error.empty()) return nullptr;
  output->thread_ = std::thread([raw = output.get()] { raw->Run(); });
  return output;
}

WavFileOutput::WavFileOutput(const AudioOutputOptions& options, RenderPeriodFn render)
    : options_(options), render_(std::move(render)) {}

WavFileOutput::~WavFileOutput() {
  quit_ = true;
  if (thread_.joinable()) thread_.join();
  (void)wav_.Finish();
}

ReplayClock::Time WavFileOutput::Period() const { return options_.Duration(options_.periodFrames); }

void WavFileOutput::Run() {
  std::vector<std::int16_t> buffer(static_cast<std::size_t>(2 * options_.periodFrames));
  const auto start = SteadyNow();
  for (long long period = 0; !quit_; ++period) {
    // Period n is due n periods after the start; rendering never runs ahead
    // of the clock, like a sound card.
    const auto due = start + period * Period();
    while (!quit_ && SteadyNow() < due) std::this_thread::sleep_for(std::chrono::microseconds(500));
    render_(buffer, SteadyNow(), ReplayClock::Time{0});
    if (!wav_.Write(buffer).empty()) break;
  }
}

}  // namespace rp
