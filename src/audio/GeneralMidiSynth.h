// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in General MIDI synthesizer: FluidSynth with a General MIDI
// SoundFont, at 44.1 kHz stereo. Both the live output device and the offline
// WAV renderer play through it. Channel 1 starts on program 0, the piano.
//
// Rendering and messages come from one thread at a time: the live device's
// audio thread, or the offline render. FluidSynth renders in internal blocks
// of 64 frames and applies a message at the start of the next one; the
// SampleScheduler places messages on those boundaries.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"
#include "synth/SynthEngine.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace rp {

inline constexpr int kSynthSampleRate = 44100;
// FluidSynth's internal block (FLUID_BUFSIZE; not configurable).
inline constexpr int kFluidBlockFrames = 64;

// Where the SoundFont is looked for, in this order: beside the program's data
// folder (`dataDir`/TimGM6mb.sf2, then `dataDir`/../sounds/sf2/), then the
// Debian packages' paths (timgm6mb-soundfont, then whatever General MIDI
// SoundFont the system names as its default).
std::vector<std::string> SoundFontCandidates(const std::string& dataDir);

// FluidSynth's last error or warning text on this thread ("" when none since
// the last call); FluidSynth's log goes here instead of to stderr.
std::string TakeFluidSynthMessage();

class GeneralMidiSynth final : public SynthEngine {
 public:
  // Loads the first SoundFont of `soundFonts` that exists. Failure codes:
  // MidiError::NoSoundFont when none loads.
  static std::unique_ptr<GeneralMidiSynth> Create(const std::vector<std::string>& soundFonts, MidiFailure* failure);
  ~GeneralMidiSynth() override;
  GeneralMidiSynth(const GeneralMidiSynth&) = delete;
  GeneralMidiSynth& operator=(const GeneralMidiSynth&) = delete;

  // Plays one channel message (note on/off, key and channel pressure,
  // controller, program change, pitch bend); anything else is ignored.
  void Apply(std::span<const std::uint8_t> bytes) override;
  // Lets up the pedals and releases every sounding note on every channel
  // (they fade out as after a note-off; nothing is cut off).
  void ReleaseAll() override;
  // True while any voice still sounds (a released note until it has faded).
  bool Sounding();
  // Renders the next frames into interleaved 16-bit stereo (two samples per
  // frame); the synthesizer's time moves on by that many frames.
  void Render(std::span<std::int16_t> stereo) override;
  long long FramesRendered() const override { return frames_; }
  int BlockFrames() const override { return kFluidBlockFrames; }

  const std::string& SoundFontPath() const { return soundFont_; }
  _fluid_hashtable_t* Settings() { return settings_; }
  _fluid_synth_t* Handle() { return synth_; }

 private:
  GeneralMidiSynth() = default;
  _fluid_hashtable_t* settings_ = nullptr;
  _fluid_synth_t* synth_ = nullptr;
  std::string soundFont_;
  long long frames_ = 0;
};

}  // namespace rp
