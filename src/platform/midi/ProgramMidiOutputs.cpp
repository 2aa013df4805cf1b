#include "platform/midi/ProgramMidiOutputs.h"

#include "platform/CombinedMidiBackend.h"
#include "platform/midi/FluidSynthBackend.h"
#include "platform/midi/GeneralMidiSynth.h"
#include "platform/midi/RtMidiBackend.h"

namespace rp {

std::unique_ptr<MidiBackend> MakeProgramMidiOutputs(const std::string& dataDir) {
  FluidSynthOptions synth;
  synth.soundFonts = SoundFontCandidates(dataDir);
  return std::make_unique<CombinedMidiBackend>(std::make_unique<FluidSynthBackend>(std::move(synth)),
                                               std::make_unique<RtMidiBackend>());
}

}  // namespace rp
