// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/ProgramMidiOutputs.h"

#include "audio/FluidSynthBackend.h"
#include "audio/GeneralMidiSynth.h"
#include "devices/RtMidiBackend.h"
#include "midi/ChainedMidiOutputs.h"

namespace rp {

std::unique_ptr<MidiBackend> MakeProgramMidiOutputs(const std::string& dataDir) {
  FluidSynthOptions synth;
  synth.soundFonts = SoundFontCandidates(dataDir);
  return std::make_unique<ChainedMidiOutputs>(std::make_unique<FluidSynthBackend>(std::move(synth)),
                                              std::make_unique<RtMidiBackend>());
}

}  // namespace rp
