// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays a queue of MIDI messages through the built-in synthesizer as fast as
// it renders, into a WAV file: the sound a replay of the same queue at the
// same tempo would make.

#include <functional>
#include <span>
#include <string>

#include "midi/MidiMessage.h"

namespace rp {

class GeneralMidiSynth;

// After the last message the sounding notes are released (as a stopped replay
// releases them) and this much more is rendered, for their fade-out and the
// reverb.
inline constexpr double kRenderReleaseMs = 1500;

struct OfflineRenderResult {
  std::string error;         // "" on success, else a sentence for the user
  long long frames = 0;      // frames written (one stereo sample pair each)
  double lastMessageMs = 0;  // clock time of the last message, after the tempo
};

// Renders `messages` (times in ms at the recorded tempo, sent in queue order:
// a message earlier than its predecessor sounds with it, as on the port) at
// `tempoFactor` times the recorded tempo into a 44.1 kHz 16-bit stereo WAV
// file at `path`. The length is the last message's time plus
// kRenderReleaseMs, rounded to whole frames.
OfflineRenderResult RenderToWav(GeneralMidiSynth& synth, std::span<const MidiMessage> messages, double tempoFactor,
                                const std::string& path);

}  // namespace rp
