// SPDX-License-Identifier: GPL-3.0-or-later
// A performance file opened while another one is being replayed: the
// replay stops before anything of the new file is read, the controls and the
// port say so, and no message of the old replay reaches the panel or the view
// afterwards (its cluster numbers would mean other events in the new file).

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "base/ProgramState.h"
#include "base/ProgressSink.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayEngine.h"
#include "support/FakePlotView.h"
#include "support/FakeReplayControls.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

// Twenty notes of 60 ms, 100 ms apart: twenty clusters.
std::string TwentyNotes() {
  std::string text;
  for (int i = 0; i < 20; ++i) {
    const std::string key = std::to_string(40 + i);
    text += std::to_string(2 * i) + "; /* " + std::to_string(100 * i) + " ms */+" + key + " 64;\n";
    text += std::to_string(2 * i + 1) + "; /* " + std::to_string(100 * i + 60) + " ms */-" + key + " 64;\n";
  }
  return text;
}

// The control panel's pieces as the window wires them.
struct Panel {
  LoadHooks Hooks() {
    LoadHooks h;
    h.position = &position;
    h.stopReplay = [this] { engine.Stop(); };
    h.updateAllData = [this] { view.ShowFirstEvents(); };
    h.updateTimeDisplay = [this] { engine.UpdateTimeDisplay(); };
    return h;
  }
  Performance performance = Performance::BeforeFirstFile();
  ReplayPosition position;
  ManualReplayClock clock;
  RecordingMidiBackend backend{clock};
  ManualUiQueue ui;
  MidiOutputPort port{backend, clock, ui.Poster()};
  test::FakePlotView view{position};
  test::FakeReplayControls controls;
  NullProgressSink progress;
  ScriptedDialogs dialogs;
  ProgramStates states;
  ReplayEngine engine{port, controls, view, progress, dialogs, performance, position, states};
  PerformanceLoader loader{dialogs, performance, Hooks()};
};

TEST(ReplayDuringLoad, OpeningAFileStopsTheReplayFirstAndNothingStaleArrives) {
  test::TempDir dir;
  const std::string twenty = dir.Write("twenty.txt", TwentyNotes());
  const std::string two = dir.Write("two.txt", "1; /* 0 ms */+60 64;\n2; /* 500 ms */+62 64;\n");
  for (bool throughTheDialog : {false, true}) {
    Panel p;
    ASSERT_TRUE(p.loader.Open(twenty).Ok());
    ASSERT_EQ(p.performance.EventCount(), 20);

    p.engine.Play();
    ASSERT_EQ(p.port.State(), PortState::Replaying);
    p.clock.Advance(1050ms);  // clusters 1 to 11 sent...
    ASSERT_TRUE(p.clock.AwaitSleeper());
    p.ui.Drain();
    EXPECT_EQ(p.position.currentEvent, 11);
    p.clock.Advance(200ms);  // ...and 12, 13 waiting for the UI
    ASSERT_TRUE(p.clock.AwaitSleeper());
    ASSERT_GT(p.ui.Pending(), 0u);
    const std::size_t sentBefore = p.backend.SentMessages().size();
    p.view.calls.clear();

    LoadResult r;
    if (throughTheDialog) {
      p.dialogs.fileAnswers.push_back(two);
      r = p.loader.ChooseAndOpen();
    } else {
      r = p.loader.Open(two);
    }
    ASSERT_TRUE(r.Ok()) << r.message;
    p.ui.Drain();
    p.clock.Advance(5s);
    p.ui.Drain();

    EXPECT_EQ(p.port.State(), PortState::Closed);
    EXPECT_TRUE(p.states.Is(ProgramState::Idle));
    EXPECT_FALSE(p.view.borderFixed);
    EXPECT_EQ(p.performance.NoteCount(), 2);
    EXPECT_EQ(p.position.currentEvent, 1);
    EXPECT_EQ(p.view.calls, std::vector<std::string>{"all"});
    // After the stop only the note-off of the sounding note went out.
    const auto sent = p.backend.SentMessages();
    ASSERT_EQ(sent.size(), sentBefore + 1);
    EXPECT_EQ(sent.back().bytes[0], 128);

    // The new file replays from its first event.
    p.engine.Play();
    p.clock.Advance(600ms);
    ASSERT_TRUE(p.clock.AwaitSleeper());
    p.ui.Drain();
    EXPECT_EQ(p.position.currentEvent, 2);
    p.engine.Stop();
  }
}

}  // namespace
}  // namespace rp
