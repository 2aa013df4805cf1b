// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/RecordingPlayer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "audio/AudioOutput.h"
#include "audio/FluidSynthBackend.h"
#include "audio/RecordingSoundSource.h"
#include "base/TextFormat.h"
#include "base/TranslatableText.h"

namespace rp {

namespace {

// The sound starts this long before the current event's onset, so that the
// onset's attack is heard whole (a detected onset may lie a few milliseconds
// late).
constexpr double kLeadInMs = 20.0;
// How long a new stream may take to be played before the replay begins
// anyway.
constexpr std::chrono::seconds kStreamStartLimit(2);
// The longest sleep while following the sound: a change of speed shows in
// the following this soon.
constexpr std::chrono::milliseconds kFollowStep(20);

}  // namespace

// What the queued notifications share with the player; the generation tells
// a stale notification of an ended replay from a current one.
struct RecordingPlayer::Channel {
  std::atomic<bool> alive{true};
  std::atomic<unsigned> generation{0};
  Notifications handlers;
};

RecordingPlayer::RecordingPlayer(PostToUi postToUi, RecordingPlayerOptions options)
    : post_(std::move(postToUi)), options_(std::move(options)), channel_(std::make_shared<Channel>()) {}

RecordingPlayer::~RecordingPlayer() {
  Stop();
  channel_->alive = false;
}

void RecordingPlayer::SetNotifications(Notifications notifications) { channel_->handlers = std::move(notifications); }

void RecordingPlayer::Start(const RecordingCue& cue) {
  Stop();
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
    factor_ = cue.factor;
  }
  thread_ = std::thread([this, cue] { Run(cue); });
}

void RecordingPlayer::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  ++channel_->generation;
}

void RecordingPlayer::SetFactor(double factor) {
  std::lock_guard lock(mutex_);
  factor_ = factor;
  if (source_ != nullptr) source_->SetFactor(factor);
}

void RecordingPlayer::Post(std::function<void(const Notifications&)> call) {
  auto channel = channel_;
  const unsigned generation = channel->generation;
  post_([channel, generation, call = std::move(call)] {
    if (channel->alive && channel->generation == generation) call(channel->handlers);
  });
}

bool RecordingPlayer::WaitUntil(ReplayClock::Time until) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, std::max(until - SteadyNow(), ReplayClock::Time{0}), [this] { return stop_.load(); });
  return !stop_;
}

bool RecordingPlayer::LoadSamples(const std::string& path) {
  std::error_code error;
  const auto time = std::filesystem::last_write_time(path, error);
  const auto size = std::filesystem::file_size(path, error);
  if (!error && path == samplesPath_ && time == samplesTime_ && size == samplesSize_ && samples_.Ok()) return true;
  samplesPath_.clear();
  samples_ = ReadRecordingSamples(path, [this] { return !stop_; });
  if (samples_.cancelled) return false;
  if (!samples_.Ok() || samples_.mono.empty()) {
    const std::string why = samples_.error;
    Post([path, why](const Notifications& n) {
      if (n.error) {
        n.error(
            FormatText(QT_TRANSLATE_NOOP("returnplot", "The recording \"%1\" cannot be replayed: %2."), {path, why}));
      }
    });
    return false;
  }
  samplesPath_ = path;
  samplesTime_ = time;
  samplesSize_ = size;
  return true;
}

std::unique_ptr<AudioOutput> RecordingPlayer::OpenOutput(RecordingSoundSource& source, std::string& error) {
  const auto drivers = options_.audioDrivers ? *options_.audioDrivers : DetectAudioDrivers();
  if (drivers.empty()) {
    error = QT_TRANSLATE_NOOP("returnplot",
                              "The recording cannot be replayed: no sound server (PulseAudio, PipeWire or JACK) is "
                              "running and there is no sound card.");
    return nullptr;
  }
  AudioOutputOptions audio;
  audio.sampleRate = samples_.sampleRate;
  audio.periodFrames = options_.periodFrames;
  audio.bufferPeriods = options_.bufferPeriods;
  std::string why;
  for (const auto& driver : drivers) {
    auto output = OpenAudioOutput(
        driver, audio,
        [&source](std::span<std::int16_t> stereo, ReplayClock::Time now, ReplayClock::Time latency) {
          source.RenderPeriod(stereo, now, latency);
        },
        nullptr, why);
    if (output) return output;
  }
  error = FormatText(QT_TRANSLATE_NOOP("returnplot", "The recording cannot be replayed: the sound output failed%1."),
                     {why.empty() ? std::string() : ": " + why});
  return nullptr;
}

void RecordingPlayer::Run(RecordingCue cue) {
  if (!LoadSamples(cue.path)) return;
  const int rate = samples_.sampleRate;
  const auto frames = static_cast<long long>(samples_.mono.size());
  const long long start = std::clamp<long long>(std::llround((cue.fromMs - kLeadInMs) * rate / 1000.0), 0, frames);
  auto source = std::make_unique<RecordingSoundSource>(samples_.mono, rate, start, cue.factor);
  {
    std::lock_guard lock(mutex_);
    source->SetFactor(factor_);
    source_ = source.get();
  }
  std::string error;
  auto output = OpenOutput(*source, error);
  if (!output) {
    Post([error](const Notifications& n) {
      if (n.error) n.error(error);
    });
  } else {
    // A new stream may not be played at once, and may skip what it gets
    // first: the sound begins once the output has taken its warm-up.
    const auto limit = SteadyNow() + kStreamStartLimit;
    bool going = true;
    while (going && source->FramesRendered() < output->WarmUpFrames() && SteadyNow() < limit) {
      going = WaitUntil(SteadyNow() + std::chrono::milliseconds(1));
    }
    if (going) {
      source->Begin();
      Post([](const Notifications& n) {
        if (n.started) n.started();
      });
      (void)TuneTimingThread();
    }
    // Each onset, then the end, as it is heard.
    std::size_t next = 0;
    while (going) {
      if (!output->Running()) {
        Post([](const Notifications& n) {
          if (n.error) {
            n.error(QT_TRANSLATE_NOOP("returnplot", "The sound output has stopped. The replay stopped."));
          }
        });
        break;
      }
      const bool atEnd = next >= cue.onsetsMs.size();
      const double frame = atEnd ? static_cast<double>(frames) : cue.onsetsMs[next] * rate / 1000.0;
      const auto heard = source->HeardAt(frame);
      const auto now = SteadyNow();
      if (heard && now >= *heard) {
        if (atEnd) {
          Post([](const Notifications& n) {
            if (n.ended) n.ended();
          });
          break;
        }
        const int event = cue.firstEvent + static_cast<int>(next++);
        Post([event](const Notifications& n) {
          if (n.eventHeard) n.eventHeard(event);
        });
        continue;
      }
      const ReplayClock::Time step = kFollowStep;
      going = WaitUntil(heard ? std::min(*heard, now + step) : now + std::chrono::milliseconds(2));
    }
  }
  {
    std::lock_guard lock(mutex_);
    source_ = nullptr;
  }
  output.reset();  // stops its audio thread before the source goes
}

}  // namespace rp
