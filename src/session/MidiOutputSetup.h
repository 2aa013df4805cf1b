// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a session's replay sends its messages and the clock that times
// them, and where takes are recorded from. The desktop program lends the
// machine's (the built-in synthesizer and the MIDI ports); tests lend
// doubles.

#include <functional>
#include <memory>

#include "midi/MidiBackend.h"
#include "midi/MidiInput.h"
#include "midi/ReplayClock.h"

namespace rp {

struct MidiOutputSetup {
  std::unique_ptr<ReplayClock> clock;
  std::unique_ptr<MidiBackend> backend;                   // may refer to *clock
  std::function<std::unique_ptr<MidiInput>()> makeInput;  // the machine's inputs, listed afresh
};

}  // namespace rp
