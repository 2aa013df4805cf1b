// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in synthesizer as a MIDI output device layer of one device
// (number 0), played live through the machine's sound output.
//
// Messages go into the synthesizer's stream at the frame their due time
// belongs to (SynthStream), so the replay's timing is kept to the sample
// block whatever the audio period; the stream is rendered by the audio
// output's thread. The audio output is opened with the device and let go a little after the
// device closes, so that the last notes fade out instead of being cut off.
// Where no audio output can be opened (no sound server, no sound card, as on
// build machines) opening fails with MidiError::NoSoundOutput (or
// SoundOutputFailed) and a text that says so; nothing else changes and other
// devices stay usable. Opening may take a second or two (a sound server
// starting a new stream), so the port opens it off the user-interface
// thread; CancelOpen cuts the wait short.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/TranslatableText.h"
#include "midi/MidiBackend.h"

namespace rp {

class AudioOutput;
class GeneralMidiSynth;
class SynthStream;

inline constexpr const char* kBuiltInSynthName = QT_TRANSLATE_NOOP("returnplot", "Built-in synthesizer (General MIDI)");

struct FluidSynthOptions {
  std::vector<std::string> soundFonts;  // tried in order; see SoundFontCandidates
  // Audio outputs to try in order ("pulseaudio", "jack", "alsa"...; see
  // OpenAudioOutput); nothing: those this machine appears to have a server
  // or card for.
  std::optional<std::vector<std::string>> audioDrivers;
  // For the driver "file": the WAV file it writes, in real time, instead of
  // playing (lets the live device be checked on machines without sound).
  std::string audioFile;
  // Frames per audio period, and periods the sound server keeps queued.
  int periodFrames = 256;
  int bufferPeriods = 4;
  // How long the audio output stays open after Close: for the release of the
  // last notes, and so that the next replay within that time starts from a
  // running stream, at once (a new stream starts behind its queue).
  std::chrono::milliseconds fadeOut{30000};
};

// The FluidSynth audio drivers worth trying here: PulseAudio (also served by
// PipeWire) and JACK where their server's socket is there, ALSA where there
// is a sound card. Trying a driver without its server prints library
// complaints on stderr, so they are not tried blindly.
std::vector<std::string> DetectAudioDrivers();

class FluidSynthBackend final : public MidiBackend {
 public:
  explicit FluidSynthBackend(FluidSynthOptions options);
  ~FluidSynthBackend() override;

  int DeviceCount() override { return 1; }
  std::string DeviceName(int index) override;
  std::optional<MidiFailure> Open(int index) override;
  void Close() override;
  bool OpenTakesTime(int index) override { return index == 0; }
  void CancelOpen() override;
  // False once the sound output has stopped (its server went away).
  bool DevicePresent() override;
  std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) override;
  ReplayClock::Time SoundDelay() override;
  ReplayClock::Time LookAhead() override;
  void DropUnheard(ReplayClock::Time now) override;

  // The audio driver in use ("" while no audio output is open).
  std::string AudioDriver() const;
  // Messages that came too late for their frame and sounded up to a period
  // late (a starved timing thread).
  long long LateMessages() const;

 private:
  std::optional<MidiFailure> OpenAudio();  // mutex_ held
  void CloseAudioLater();
  void CloseAudioNow();  // mutex_ held

  FluidSynthOptions options_;
  std::unique_ptr<GeneralMidiSynth> synth_;
  std::unique_ptr<SynthStream> stream_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::unique_ptr<AudioOutput> audio_;
  std::string audioDriver_;
  bool open_ = false;
  bool quit_ = false;
  std::atomic<bool> cancelOpen_{false};
  std::optional<std::chrono::steady_clock::time_point> closeAudioAt_;
  std::thread closer_;
};

}  // namespace rp
