// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/MachineMidiInput.h"

#include "devices/JackMidiInput.h"
#include "devices/RtMidiInput.h"

namespace rp {

std::unique_ptr<MidiInput> MakeMachineMidiInput() {
  // RtMidi's choice of system, so that inputs and outputs agree.
  auto rtMidi = std::make_unique<RtMidiInput>();
  if (rtMidi->ApiName() != "JACK") return rtMidi;
  rtMidi.reset();
  return std::make_unique<JackMidiInput>();
}

}  // namespace rp
