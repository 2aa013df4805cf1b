// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's MIDI output devices, as the control panel lists them.

#include <memory>
#include <string>

#include "midi/MidiBackend.h"

namespace rp {

// The built-in synthesizer as the first device, so that Play sounds on any
// machine with a sound output; the machine's MIDI output ports (RtMidi) after
// it. `dataDir` is the program's data folder, where a SoundFont beside the
// program is looked for first.
std::unique_ptr<MidiBackend> MakeProgramMidiOutputs(const std::string& dataDir);

}  // namespace rp
