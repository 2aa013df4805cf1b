// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A replay engine over test doubles: a recording MIDI port on a manual clock,
// notifications that run when the test drains the UI queue, fake controls
// and plot. (Header only: its programs link the replay library.)

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

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
  explicit ReplayEngineRig(std::vector<std::string> devices = {"Synth A"}) : backend{clock, std::move(devices)} {}

  // Lets the timing thread send what is due, then runs the notifications.
  void AdvanceMs(double ms) {
    clock.Advance(std::chrono::duration_cast<ReplayClock::Time>(std::chrono::duration<double, std::milli>(ms)));
    ASSERT_TRUE(clock.AwaitSleeper());
    ui.Drain();
  }
  std::vector<std::vector<std::uint8_t>> SentBytes() const {
    std::vector<std::vector<std::uint8_t>> out;
    for (const auto& s : backend.SentMessages()) out.push_back(s.bytes);
    return out;
  }
  bool Idle() const { return states.Is(ProgramState::Idle); }

  Performance performance = Performance::Empty();
  ReplayPosition position;
  ManualReplayClock clock;
  RecordingMidiBackend backend;
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
