// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/FluidSynthBackend.h"

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "audio/AudioOutput.h"
#include "audio/GeneralMidiSynth.h"
#include "midi/JackServer.h"
#include "synth/SynthStream.h"

namespace rp {

namespace {

bool Exists(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

bool PulseServerPresent() {
  const char* server = std::getenv("PULSE_SERVER");
  if (server && *server) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime && *runtime && Exists(std::filesystem::path(runtime) / "pulse" / "native");
}

}  // namespace

std::vector<std::string> DetectAudioDrivers() {
  std::vector<std::string> drivers;
  if (PulseServerPresent()) drivers.push_back("pulseaudio");
  if (JackServerSocketPresent()) drivers.push_back("jack");
  if (Exists("/dev/snd")) drivers.push_back("alsa");
  return drivers;
}

FluidSynthBackend::FluidSynthBackend(FluidSynthOptions options) : options_(std::move(options)) {}

FluidSynthBackend::~FluidSynthBackend() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    CloseAudioNow();
  }
  wake_.notify_all();
  if (closer_.joinable()) closer_.join();
}

std::string FluidSynthBackend::DeviceName(int index) { return index == 0 ? kBuiltInSynthName : ""; }

std::optional<MidiFailure> FluidSynthBackend::Open(int index) {
  if (index != 0) return MakeMidiFailure(MidiError::NoSuchOutput, std::to_string(index));
  cancelOpen_ = false;
  long long soundFrom = -1;  // the frame from which a new output is surely played
  {
    std::lock_guard lock(mutex_);
    closeAudioAt_.reset();
    if (!synth_) {
      MidiFailure failure;
      synth_ = GeneralMidiSynth::Create(options_.soundFonts, &failure);
      if (!synth_) return failure;
      stream_ = std::make_unique<SynthStream>(*synth_, kSynthSampleRate);
    }
    if (!audio_) {
      const long long firstFrame = stream_->FramesRendered();
      if (auto failure = OpenAudio()) return failure;
      soundFrom = firstFrame + audio_->WarmUpFrames();
    }
  }
  // A new stream may not be played at once (a sink that had no stream can
  // take a second or two to start), and sound written before it plays may be
  // skipped: the replay begins once the output takes its sound. The wait
  // holds no lock and ends early when the open is cancelled.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (soundFrom >= 0 && !cancelOpen_ && std::chrono::steady_clock::now() < until &&
         stream_->FramesRendered() < soundFrom) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::lock_guard lock(mutex_);
  // Every replay opens the device: its first message anchors a new map from
  // due times to frames.
  stream_->Restart();
  open_ = true;
  return std::nullopt;
}

void FluidSynthBackend::CancelOpen() { cancelOpen_ = true; }

bool FluidSynthBackend::DevicePresent() {
  std::lock_guard lock(mutex_);
  return !open_ || !audio_ || audio_->Running();
}

std::optional<MidiFailure> FluidSynthBackend::OpenAudio() {
  const auto drivers = options_.audioDrivers ? *options_.audioDrivers : DetectAudioDrivers();
  AudioOutputOptions audio;
  audio.sampleRate = kSynthSampleRate;
  audio.periodFrames = options_.periodFrames;
  audio.bufferPeriods = options_.bufferPeriods;
  audio.wavPath = options_.audioFile;
  std::string lastError;
  SynthStream& stream = *stream_;
  for (const auto& driver : drivers) {
    audio_ = OpenAudioOutput(
        driver, audio,
        [&stream](std::span<std::int16_t> stereo, ReplayClock::Time now, ReplayClock::Time latency) {
          stream.RenderPeriod(stereo, now, latency);
        },
        [&stream] { return stream.NextPeriodStartsReplay(); }, lastError);
    if (audio_) {
      audioDriver_ = driver;
      return std::nullopt;
    }
  }
  if (drivers.empty()) return MakeMidiFailure(MidiError::NoSoundOutput);
  return MakeMidiFailure(MidiError::SoundOutputFailed, {}, lastError);
}

void FluidSynthBackend::Close() {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  open_ = false;
  stream_->ReleaseAll(SteadyNow());
  CloseAudioLater();
}

std::optional<MidiFailure> FluidSynthBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) {
  // The port sends only between Open and Close, and the stream lives as long
  // as the backend.
  if (!stream_) return MakeMidiFailure(MidiError::NotOpen);
  if (!stream_->Push(bytes, due)) return MakeMidiFailure(MidiError::SoundOutputStopped);
  return std::nullopt;
}

ReplayClock::Time FluidSynthBackend::SoundDelay() { return stream_ ? stream_->SoundDelay() : ReplayClock::Time{0}; }

ReplayClock::Time FluidSynthBackend::LookAhead() {
  std::lock_guard lock(mutex_);
  if (!audio_) return ReplayClock::Time{0};
  // A message must be in the stream's queue before the audio thread renders
  // its frame. The output renders up to its queue (a few periods) ahead of
  // what is heard, in bursts of a period or two; the rest leaves room for a
  // timing thread that a busy machine wakes late.
  const auto queued = audio_->Period() * (options_.bufferPeriods + 3);
  return queued + std::chrono::milliseconds(60);
}

void FluidSynthBackend::DropUnheard(ReplayClock::Time now) {
  if (stream_) stream_->ReleaseAll(now);
}

std::string FluidSynthBackend::AudioDriver() const {
  std::lock_guard lock(mutex_);
  return audio_ ? audioDriver_ : std::string();
}

long long FluidSynthBackend::LateMessages() const { return stream_ ? stream_->LateMessages() : 0; }

void FluidSynthBackend::CloseAudioLater() {
  closeAudioAt_ = std::chrono::steady_clock::now() + options_.fadeOut;
  if (!closer_.joinable()) {
    closer_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      while (!quit_) {
        if (!closeAudioAt_) {
          wake_.wait(lock);
        } else if (wake_.wait_until(lock, *closeAudioAt_) == std::cv_status::timeout && closeAudioAt_ &&
                   std::chrono::steady_clock::now() >= *closeAudioAt_) {
          CloseAudioNow();
        }
      }
    });
  }
  wake_.notify_all();
}

void FluidSynthBackend::CloseAudioNow() {
  closeAudioAt_.reset();
  audio_.reset();
  audioDriver_.clear();
}

}  // namespace rp
