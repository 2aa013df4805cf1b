#include "platform/midi/PulseAudioOutput.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <vector>

namespace rp {

std::unique_ptr<PulseAudioOutput> PulseAudioOutput::Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                                         std::string& error) {
  pa_sample_spec spec{};
  spec.format = PA_SAMPLE_S16LE;
  spec.rate = static_cast<std::uint32_t>(options.sampleRate);
  spec.channels = 2;
  const auto periodBytes = static_cast<std::uint32_t>(options.periodFrames * 4);
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = periodBytes * static_cast<std::uint32_t>(options.bufferPeriods);
  attr.prebuf = static_cast<std::uint32_t>(-1);
  attr.minreq = periodBytes;
  attr.fragsize = static_cast<std::uint32_t>(-1);
  int code = 0;
  pa_simple* stream = pa_simple_new(nullptr, "returnplot", PA_STREAM_PLAYBACK, nullptr, "Built-in synthesizer",
                                    &spec, nullptr, &attr, &code);
  if (!stream) {
    error = std::string("PulseAudio: ") + pa_strerror(code);
    return nullptr;
  }
  return std::unique_ptr<PulseAudioOutput>(new PulseAudioOutput(stream, options, std::move(render)));
}

PulseAudioOutput::PulseAudioOutput(pa_simple* stream, const AudioOutputOptions& options, RenderPeriodFn render)
    : stream_(stream), options_(options), render_(std::move(render)) {
  thread_ = std::thread([this] { Run(); });
}

PulseAudioOutput::~PulseAudioOutput() {
  quit_ = true;
  if (thread_.joinable()) thread_.join();
  pa_simple_free(stream_);
}

ReplayClock::Time PulseAudioOutput::Period() const {
  return ReplayClock::Time(static_cast<ReplayClock::Time::rep>(1e9 * options_.periodFrames / options_.sampleRate));
}

long long PulseAudioOutput::WarmUpFrames() const {
  return static_cast<long long>(options_.periodFrames) * (options_.bufferPeriods + 2);
}

void PulseAudioOutput::Run() {
  (void)TuneTimingThread();
  std::vector<std::int16_t> buffer(static_cast<std::size_t>(2 * options_.periodFrames));
  while (!quit_) {
    int code = 0;
    // How long until what was written so far has played: the first frame of
    // the next period follows right after it.
    const pa_usec_t latency = pa_simple_get_latency(stream_, &code);
    render_(buffer, SteadyNow(), std::chrono::microseconds(latency == static_cast<pa_usec_t>(-1) ? 0 : latency));
    if (pa_simple_write(stream_, buffer.data(), buffer.size() * sizeof(std::int16_t), &code) < 0) break;
  }
}

}  // namespace rp
