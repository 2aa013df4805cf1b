#include "platform/midi/FluidSynthBackend.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <filesystem>

#include "platform/midi/GeneralMidiSynth.h"
#include "platform/midi/JackServer.h"

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

std::string FluidSynthBackend::DeviceName(int index) { return index == -1 ? kBuiltInSynthName : ""; }

std::optional<MidiFailure> FluidSynthBackend::Open(int index) {
  if (index != -1) {
    return MidiFailure{kMidiNoSuchDevice,
                       "There is no MIDI output device number " + std::to_string(index) + "."};
  }
  std::lock_guard lock(mutex_);
  closeAudioAt_.reset();
  if (!synth_) {
    MidiFailure failure;
    synth_ = GeneralMidiSynth::Create(options_.soundFonts, &failure);
    if (!synth_) return failure;
  }
  if (!audio_) {
    const auto drivers = options_.audioDrivers ? *options_.audioDrivers : DetectAudioDrivers();
    std::string lastError;
    for (const auto& driver : drivers) {
      fluid_settings_setstr(synth_->Settings(), "audio.driver", driver.c_str());
      if (driver == "file") {
        fluid_settings_setstr(synth_->Settings(), "audio.file.name", options_.audioFile.c_str());
        fluid_settings_setstr(synth_->Settings(), "audio.file.type", "wav");
      }
      audio_ = new_fluid_audio_driver(synth_->Settings(), synth_->Handle());
      if (audio_) {
        audioDriver_ = driver;
        break;
      }
      lastError = TakeFluidSynthMessage();
    }
    if (!audio_) {
      std::string text = drivers.empty()
                             ? "The built-in synthesizer cannot play: no sound server (PulseAudio, "
                               "PipeWire or JACK) is running and there is no sound card."
                             : "The built-in synthesizer could not open the sound output";
      if (!drivers.empty()) text += lastError.empty() ? "." : ": " + lastError;
      return MidiFailure{kMidiNoAudioOutput, text + " Choose a MIDI output device instead."};
    }
  }
  open_ = true;
  return std::nullopt;
}

void FluidSynthBackend::Close() {
  std::lock_guard lock(mutex_);
  if (!open_) return;
  open_ = false;
  synth_->AllNotesOff();
  CloseAudioLater();
}

std::optional<MidiFailure> FluidSynthBackend::Send(std::span<const std::uint8_t> bytes,
                                                   ReplayClock::Time) {
  // The port sends only between Open and Close, and the synthesizer lives as
  // long as the backend; FluidSynth serialises with its audio thread itself.
  if (!synth_) return MidiFailure{kMidiNotOpen, "The MIDI output is not open."};
  synth_->Send(bytes);
  return std::nullopt;
}

std::string FluidSynthBackend::AudioDriver() const {
  std::lock_guard lock(mutex_);
  return audio_ ? audioDriver_ : std::string();
}

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
  if (audio_) delete_fluid_audio_driver(audio_);
  audio_ = nullptr;
  audioDriver_.clear();
}

}  // namespace rp
