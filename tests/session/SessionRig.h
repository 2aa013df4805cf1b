// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A session as the windows drive it, without any window: a recording MIDI
// output on a manual clock, files read in place, and every announcement
// heard. (Header only: the session's tests link the session library.)

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "session/Session.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"

namespace rp::test {

struct SessionRig {
  SessionRig() {
    MidiOutputSetup midi;
    auto manual = std::make_unique<ManualReplayClock>();
    clock = manual.get();
    midi.clock = std::move(manual);
    auto recording = std::make_unique<RecordingMidiBackend>(*clock, std::vector<std::string>{"Synth A"});
    backend = recording.get();
    midi.backend = std::move(recording);
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
  RecordingMidiBackend* backend = nullptr;
  std::vector<SessionChange> heard;
};

}  // namespace rp::test
