// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/PulseAudioOutput.h"

#include <dirent.h>
#include <pthread.h>
#include <pulse/error.h>
#include <pulse/simple.h>
#include <sched.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/NumberReading.h"

namespace rp {

namespace {

// libpulse's simple API hands the written sound to the server from a thread
// of its own ("threaded-ml"); at normal priority a busy machine stalls it
// for a hundred milliseconds now and then and the stream runs dry. It gets
// the same real-time priority as the render thread where that is allowed.
void RaisePulseThreads() {
  DIR* tasks = ::opendir("/proc/self/task");
  if (!tasks) return;
  while (const dirent* entry = ::readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    std::string name;
    std::getline(std::ifstream(std::string("/proc/self/task/") + entry->d_name + "/comm"), name);
    if (name != "threaded-ml") continue;
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO) + 9;
    if (const std::optional<int> thread = StrictNumber<int>(entry->d_name))
      (void)::sched_setscheduler(*thread, SCHED_FIFO, &param);
  }
  ::closedir(tasks);
}

}  // namespace

std::unique_ptr<PulseAudioOutput> PulseAudioOutput::Open(const AudioOutputOptions& options, RenderPeriodFn render,
                                                         StartsReplayFn startsReplay, std::string& error) {
  pa_sample_spec sampleFormat{};
  sampleFormat.format = PA_SAMPLE_S16LE;
  sampleFormat.rate = static_cast<std::uint32_t>(options.sampleRate);
  sampleFormat.channels = 2;
  const auto periodBytes = static_cast<std::uint32_t>(options.periodFrames * 4);
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = periodBytes * static_cast<std::uint32_t>(options.bufferPeriods);
  // No pre-buffering: should the stream run dry (a starved machine), the
  // server plays silence and drops what comes late instead of pausing, so
  // the sound after a gap stays on time.
  attr.prebuf = 0;
  attr.minreq = periodBytes;
  attr.fragsize = static_cast<std::uint32_t>(-1);
  int code = 0;
  pa_simple* stream = pa_simple_new(nullptr, "returnplot", PA_STREAM_PLAYBACK, nullptr, "Built-in synthesizer",
                                    &sampleFormat, nullptr, &attr, &code);
  if (!stream) {
    error = std::string("PulseAudio: ") + pa_strerror(code);
    return nullptr;
  }
  RaisePulseThreads();
  return std::unique_ptr<PulseAudioOutput>(
      new PulseAudioOutput(stream, options, std::move(render), std::move(startsReplay)));
}

PulseAudioOutput::PulseAudioOutput(pa_simple* stream, const AudioOutputOptions& options, RenderPeriodFn render,
                                   StartsReplayFn startsReplay)
    : stream_(stream), options_(options), render_(std::move(render)), startsReplay_(std::move(startsReplay)) {
  thread_ = std::thread([this] { Run(); });
}

PulseAudioOutput::~PulseAudioOutput() {
  quit_ = true;
  if (thread_.joinable()) thread_.join();
  pa_simple_free(stream_);
}

ReplayClock::Time PulseAudioOutput::Period() const { return options_.Duration(options_.periodFrames); }

long long PulseAudioOutput::WarmUpFrames() const {
  return static_cast<long long>(options_.periodFrames) * (options_.bufferPeriods + 2);
}

void PulseAudioOutput::Run() {
  (void)TuneTimingThread();
  std::vector<std::int16_t> buffer(static_cast<std::size_t>(2 * options_.periodFrames));
  // What the server may still hold of what was written: the queue and the
  // period on its way.
  const long long queuedFrames = static_cast<long long>(options_.periodFrames) * (options_.bufferPeriods + 1);
  long long silentFrames = 0;  // written last and silent
  // Nothing is dropped before the server plays the stream: a flush while it
  // sets a new stream going can take the sound written right after it.
  const long long settledFrames = WarmUpFrames();
  long long written = 0;
  while (!quit_) {
    int code = 0;
    if (written >= settledFrames && silentFrames >= queuedFrames && startsReplay_ && startsReplay_()) {
      (void)pa_simple_flush(stream_, &code);
    }
    // How long until what was written so far has played: the first frame of
    // the next period follows right after it.
    const pa_usec_t latency = pa_simple_get_latency(stream_, &code);
    render_(buffer, SteadyNow(), std::chrono::microseconds(latency == static_cast<pa_usec_t>(-1) ? 0 : latency));
    // FluidSynth dithers its output: silence is a sample or two of noise.
    const bool silent = std::all_of(buffer.begin(), buffer.end(), [](std::int16_t s) { return s >= -8 && s <= 8; });
    silentFrames = silent ? silentFrames + options_.periodFrames : 0;
    if (pa_simple_write(stream_, buffer.data(), buffer.size() * sizeof(std::int16_t), &code) < 0) {
      stopped_ = true;
      break;
    }
    written += options_.periodFrames;
  }
}

}  // namespace rp
