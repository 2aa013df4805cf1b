// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/GeneralMidiSynth.h"

#include <fluidsynth.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <utility>

namespace rp {

namespace {

thread_local std::string lastFluidMessage;

void KeepFluidMessage(int, const char* message, void*) {
  if (message) lastFluidMessage = message;
}

// FluidSynth logs to stderr by default; errors and warnings are kept for the
// texts the user sees, the rest is dropped.
void RouteFluidSynthLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    fluid_set_log_function(FLUID_PANIC, &KeepFluidMessage, nullptr);
    fluid_set_log_function(FLUID_ERR, &KeepFluidMessage, nullptr);
    fluid_set_log_function(FLUID_WARN, &KeepFluidMessage, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

// FluidSynth's default gain (0.2) leaves a solo piano at about an eighth of
// full scale; this keeps loud chords with reverb clear of clipping.
constexpr double kGain = 0.8;

}  // namespace

std::vector<std::string> SoundFontCandidates(const std::string& dataDir) {
  std::vector<std::string> paths;
  if (!dataDir.empty()) {
    std::filesystem::path dir(dataDir);
    if (!dir.has_filename()) dir = dir.parent_path();  // "share/returnplot/"
    paths.push_back((dir / "TimGM6mb.sf2").string());
    paths.push_back((dir.parent_path() / "sounds" / "sf2" / "TimGM6mb.sf2").string());
  }
  paths.push_back("/usr/share/sounds/sf2/TimGM6mb.sf2");
  paths.push_back("/usr/share/sounds/sf2/default-GM.sf2");
  return paths;
}

std::string TakeFluidSynthMessage() { return std::exchange(lastFluidMessage, {}); }

std::unique_ptr<GeneralMidiSynth> GeneralMidiSynth::Create(const std::vector<std::string>& soundFonts,
                                                           MidiFailure* failure) {
  RouteFluidSynthLog();
  std::unique_ptr<GeneralMidiSynth> synth(new GeneralMidiSynth);
  synth->settings_ = new_fluid_settings();
  if (synth->settings_) {
    fluid_settings_setnum(synth->settings_, "synth.sample-rate", kSynthSampleRate);
    fluid_settings_setnum(synth->settings_, "synth.gain", kGain);
    // Pinning the samples in RAM needs privileges the program does not have.
    fluid_settings_setint(synth->settings_, "synth.lock-memory", 0);
    // Nothing in a replay sends to the chorus (controller 93 stays 0), so
    // computing it would only cost time; the reverb stays.
    fluid_settings_setint(synth->settings_, "synth.chorus.active", 0);
    synth->synth_ = new_fluid_synth(synth->settings_);
  }
  if (!synth->synth_) {
    if (failure) {
      *failure = MakeMidiFailure(MidiError::SynthFailed, {}, TakeFluidSynthMessage());
    }
    return nullptr;
  }
  for (const auto& path : soundFonts) {
    if (::access(path.c_str(), R_OK) != 0) continue;
    if (fluid_synth_sfload(synth->synth_, path.c_str(), 1) != FLUID_FAILED) {
      synth->soundFont_ = path;
      return synth;
    }
  }
  if (failure) *failure = MakeMidiFailure(MidiError::NoSoundFont, {}, TakeFluidSynthMessage());
  return nullptr;
}

GeneralMidiSynth::~GeneralMidiSynth() {
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

void GeneralMidiSynth::Apply(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  const int status = bytes[0];
  const int channel = status & 0x0F;
  const int d1 = bytes.size() > 1 ? bytes[1] & 0x7F : 0;
  const int d2 = bytes.size() > 2 ? bytes[2] & 0x7F : 0;
  switch (status & 0xF0) {
    case 0x80:
      fluid_synth_noteoff(synth_, channel, d1);
      break;
    // Velocity 0 is a note-off; FluidSynth treats it so.
    case 0x90:
      fluid_synth_noteon(synth_, channel, d1, d2);
      break;
    case 0xA0:
      fluid_synth_key_pressure(synth_, channel, d1, d2);
      break;
    case 0xB0:
      fluid_synth_cc(synth_, channel, d1, d2);
      break;
    case 0xC0:
      fluid_synth_program_change(synth_, channel, d1);
      break;
    case 0xD0:
      fluid_synth_channel_pressure(synth_, channel, d1);
      break;
    case 0xE0:
      fluid_synth_pitch_bend(synth_, channel, d1 | (d2 << 7));
      break;
    default:
      break;
  }
}

void GeneralMidiSynth::ReleaseAll() {
  // A note released under a held pedal would go on sounding: the pedals
  // (sustain, sostenuto, soft) come up first.
  for (int channel = 0; channel < 16; ++channel) {
    for (const int pedal : {64, 66, 67}) fluid_synth_cc(synth_, channel, pedal, 0);
  }
  fluid_synth_all_notes_off(synth_, -1);
}

bool GeneralMidiSynth::Sounding() { return fluid_synth_get_active_voice_count(synth_) > 0; }

void GeneralMidiSynth::Render(std::span<std::int16_t> stereo) {
  const auto frames = static_cast<int>(stereo.size() / 2);
  if (frames == 0) return;
  fluid_synth_write_s16(synth_, frames, stereo.data(), 0, 2, stereo.data(), 1, 2);
  frames_ += frames;
}

}  // namespace rp
