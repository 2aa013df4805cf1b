// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "audio/FluidSynthBackend.h"
#include "audio/GeneralMidiSynth.h"
#include "base/ProgramState.h"
#include "frontend/ProgressSink.h"
#include "midi/ChainedMidiOutputs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayEngine.h"
#include "support/FakePlotView.h"
#include "support/FakeReplayControls.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

// The program's device list with the built-in synthesizer first, on a
// machine without any sound output (no server, no card): Play with the
// default entry reports why and the panel stays stopped, ready for another
// try or another device.
TEST(BuiltInSynthReplay, WithoutSoundOutputPlayReportsAndStaysStopped) {
  Performance performance = Performance::Empty();
  performance.notes.assign(5, NoteEvent{});  // five silent notes at 0 ms
  performance.events.assign(5, OnsetEvent{});
  ReplayPosition position;
  position.currentEvent = 0;
  // The last message a minute in, so the replay on the other device is still
  // running when the test looks at it, however slowly the machine goes.
  performance.notes[4].timeMs = 60000.0;
  SteadyReplayClock clock;
  FluidSynthOptions synth;
  synth.soundFonts = SoundFontCandidates("");
  synth.audioDrivers = std::vector<std::string>{};  // none to be had
  auto ports = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{"Port A"});
  RecordingMidiBackend* port0 = ports.get();
  ChainedMidiOutputs devices(std::make_unique<FluidSynthBackend>(std::move(synth)), std::move(ports));
  ManualUiQueue ui;
  MidiOutputPort port(devices, clock, ui.Poster());
  test::FakeReplayControls controls;
  test::FakePlotView view(position);
  NullProgressSink progress;
  ScriptedDialogs dialogs;
  ProgramStates states;
  ReplayEngine engine(port, controls, view, progress, dialogs, performance, position, states);

  EXPECT_EQ(engine.ListOutputDevices(), (std::vector<std::string>{"Built-in synthesizer (General MIDI)", "Port A"}));
  controls.deviceEntry = 0;  // the built-in synthesizer
  for (int attempt = 1; attempt <= 2; ++attempt) {
    engine.Play();  // the synthesizer opens on the port's thread
    test::WaitFor(
        [&] {
          ui.Drain();
          return states.Is(ProgramState::Idle);
        },
        std::chrono::seconds(5));
    ASSERT_EQ(dialogs.messages.size(), static_cast<std::size_t>(attempt));
    EXPECT_EQ(dialogs.messages.back().text,
              "The built-in synthesizer cannot play: no sound server (PulseAudio, PipeWire or JACK) is "
              "running and there is no sound card. Choose a MIDI output device instead.");
    EXPECT_TRUE(states.Is(ProgramState::Idle));
    EXPECT_EQ(port.State(), PortState::Closed);
    EXPECT_FALSE(view.borderFixed);
  }

  // The other device still plays.
  controls.deviceEntry = 1;
  engine.Play();
  EXPECT_EQ(port.State(), PortState::Replaying);
  EXPECT_EQ(port0->OpenDevice(), 0);
  EXPECT_TRUE(states.Is(ProgramState::Replaying));
  engine.Stop();
  EXPECT_EQ(port.State(), PortState::Closed);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

}  // namespace
}  // namespace rp
