// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A session as the windows drive it, without any window: recording MIDI
// outputs on a manual clock (a stand-in for the built-in synthesizer first,
// as in the program, then the machine's ports), files read in place, and
// every announcement heard. (Header only: the session's tests link the
// session library.)

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "midi/ChainedMidiOutputs.h"
#include "session/Session.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"

namespace rp::test {

struct SessionRig {
  explicit SessionRig(std::vector<std::string> ports = {"Synth A"}) {
    MidiOutputSetup midi;
    auto manual = std::make_unique<ManualReplayClock>();
    clock = manual.get();
    midi.clock = std::move(manual);
    auto synth = std::make_unique<RecordingMidiBackend>(*clock, std::vector<std::string>{"Built-in"});
    auto recording = std::make_unique<RecordingMidiBackend>(*clock, std::move(ports));
    builtIn = synth.get();
    backend = recording.get();
    midi.backend = std::make_unique<ChainedMidiOutputs>(std::move(synth), std::move(recording));
    session.SetLoadInBackground(false);
    session.ConnectOutput(std::move(midi));
    session.Listen([this](SessionChange change) { heard.push_back(change); });
    session.Start();
  }
  std::size_t Heard(SessionChange change) const {
    return static_cast<std::size_t>(std::count(heard.begin(), heard.end(), change));
  }
  // Lets the timing thread send what is due within `by`, and the UI thread
  // take what it announced.
  void Advance(ReplayClock::Time by) {
    clock->Advance(by);
    clock->AwaitSleeper();
    ui.Drain();
  }

  ScriptedDialogs dialogs;
  ManualUiQueue ui;
  Session session{dialogs, ui.Poster()};
  ManualReplayClock* clock = nullptr;
  RecordingMidiBackend* builtIn = nullptr;
  RecordingMidiBackend* backend = nullptr;  // the ports
  std::vector<SessionChange> heard;
};

}  // namespace rp::test
