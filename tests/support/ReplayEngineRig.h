// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay engine over test doubles: a recording MIDI port on a manual clock,
// notifications that run when the test drains the UI queue, fake controls
// and plot. (Header only: its programs link the replay library.)

#include <string>

#include "base/ProgramState.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayEngine.h"
#include "support/FakePlotView.h"
#include "support/FakeReplayControls.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/RecordingProgressSink.h"
#include "support/ScriptedDialogs.h"

namespace rp::test {

struct ReplayEngineRig {
  Performance performance = Performance::BeforeFirstFile();
  ReplayPosition position;
  ManualReplayClock clock;
  RecordingMidiBackend backend{clock, {"Synth A"}};
  ManualUiQueue ui;
  MidiOutputPort port{backend, clock, ui.Poster()};
  FakePlotView view{position};
  FakeReplayControls controls;
  RecordingProgressSink progress;
  ScriptedDialogs dialogs;
  ProgramStates states;
  ReplayEngine engine{port, controls, view, progress, dialogs, performance, position, states};
};

}  // namespace rp::test
