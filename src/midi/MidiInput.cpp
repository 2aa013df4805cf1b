// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/MidiInput.h"

namespace rp {

std::optional<MidiFailure> MidiInputIndexFailure(const std::vector<std::string>& names, int index) {
  if (names.empty()) {
    return MidiFailure{kMidiNoOutput,
                       "No MIDI input is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was found, "
                       "or they offer no input."};
  }
  if (index < 0 || index >= static_cast<int>(names.size())) {
    return MidiFailure{kMidiNoSuchDevice, "There is no MIDI input device number " + std::to_string(index) + "."};
  }
  return std::nullopt;
}

MidiFailure MidiInputOpenFailure(const std::string& name, const std::string& why) {
  std::string text = "The MIDI input \"" + name + "\" could not be opened";
  if (!why.empty()) text += ": " + why;
  return {kMidiOpenFailed, text + "."};
}

}  // namespace rp
