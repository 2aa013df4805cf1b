// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The machine's MIDI inputs on the MIDI system the outputs use: the ALSA
// sequencer through RtMidi, or a JACK server read through JACK itself (RtMidi
// would stamp JACK's messages by their cycle, not when they were played).

#include <memory>

#include "midi/MidiInput.h"

namespace rp {

std::unique_ptr<MidiInput> MakeMachineMidiInput();

}  // namespace rp
