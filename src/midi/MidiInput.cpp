// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/MidiInput.h"

namespace rp {

std::optional<MidiFailure> MidiInputIndexFailure(const std::vector<std::string>& names, int index) {
  if (names.empty()) return MakeMidiFailure(MidiError::NoInput);
  if (index < 0 || index >= static_cast<int>(names.size())) {
    return MakeMidiFailure(MidiError::NoSuchInput, std::to_string(index));
  }
  return std::nullopt;
}

MidiFailure MidiInputOpenFailure(const std::string& name, const std::string& why) {
  return MakeMidiFailure(MidiError::InputOpenFailed, name, why);
}

}  // namespace rp
