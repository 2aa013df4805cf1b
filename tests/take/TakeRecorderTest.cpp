// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "support/FakePlotView.h"
#include "support/ManualUiQueue.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMidiInput.h"
#include "support/TempDir.h"
#include "take/TakeRecorder.h"

namespace rp {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A recorder with scripted dialogs and input, a fake plot and a private
// data folder; the panel's hooks are written down.
struct RecorderRig {
  explicit RecorderRig(std::vector<std::string> inputs = {"Keys A", "Keys B"}) : inputNames(std::move(inputs)) {}
  TakeRecorder& Recorder() {
    if (!recorder) {
      TakeRecorder::Hooks hooks;
      hooks.makeInput = [this] {
        auto made = std::make_unique<ScriptedMidiInput>(inputNames);
        input = made.get();
        return made;
      };
      hooks.recordingChanged = [this](bool on) { changes.push_back(on); };
      hooks.tailLength = [] { return 7; };
      hooks.setTimeText = [this](const std::string& text) { timeText = text; };
      recorder = std::make_unique<TakeRecorder>(dialogs, performance, position, view, ui.Poster(), recovery, hooks);
    }
    return *recorder;
  }
  // A note-on `seconds` after the one before.
  void Play(std::uint8_t key, double seconds) {
    playedUs += std::llround(seconds * 1e6);
    ASSERT_TRUE(input->Deliver({0x90, key, 80}, playedUs));
    ui.Drain();
  }

  std::vector<std::string> inputNames;
  ScriptedDialogs dialogs;
  Performance performance = Performance::Empty();
  ReplayPosition position;
  test::FakePlotView view{position};
  ManualUiQueue ui;
  test::TempDir dir{"rp_recorder_"};
  std::string recovery = dir.Path() + "/share/returnplot/recovery.txt";
  ScriptedMidiInput* input = nullptr;
  std::int64_t playedUs = 0;
  std::vector<bool> changes;
  std::string timeText;
  std::unique_ptr<TakeRecorder> recorder;
};

TEST(TakeRecorder, ThePlotGrowsWithEachCompleteEventAndTheStoppedTakeIsLoadedAndSaved) {
  RecorderRig rig;
  rig.dialogs.listAnswers = {1};
  rig.Recorder().Toggle();
  ASSERT_TRUE(rig.Recorder().Recording());
  EXPECT_EQ(rig.input->OpenDevice(), 1);
  EXPECT_EQ(rig.changes, (std::vector<bool>{true}));
  EXPECT_EQ(rig.performance.EventCount(), 0) << "the plot starts empty";

  rig.view.calls.clear();
  for (int i = 0; i < 3; ++i) rig.Play(60, 0.4);
  EXPECT_TRUE(rig.view.calls.empty()) << "no event complete before the fourth begins (d = 1)";
  rig.Play(62, 0.3);
  rig.Play(64, 0.5);
  EXPECT_EQ(rig.performance.EventCount(), 2);
  EXPECT_EQ(rig.position.currentEvent, 1);
  EXPECT_EQ(rig.position.tailLength, 7);
  EXPECT_EQ(rig.view.calls.back(), "tail 1");
  EXPECT_DOUBLE_EQ(rig.performance.events[1].interval2, 500);

  rig.Recorder().Tick(std::chrono::steady_clock::now() + 2s);
  EXPECT_EQ(rig.timeText, "0:00:02.0");
  std::ifstream recovered(rig.recovery);
  EXPECT_EQ(std::count(std::istreambuf_iterator<char>(recovered), {}, '\n'), 1 + 5)
      << "this program's first line and the notes, on disk within a second";

  const std::string saved = rig.dir.Path() + "/take.txt";
  rig.dialogs.fileAnswers = {saved};
  rig.Recorder().Toggle();  // "Stop recording"
  EXPECT_FALSE(rig.Recorder().Recording());
  EXPECT_EQ(rig.changes, (std::vector<bool>{true, false}));
  EXPECT_EQ(rig.performance.NoteCount(), 5);
  EXPECT_EQ(rig.performance.EventCount(), 5) << "the whole take, analysed as a file";
  EXPECT_EQ(rig.position.currentEvent, 0);
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_FALSE(fs::exists(rig.recovery)) << "removed once saved";
  EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(TakeRecorder, ATakeLeftUnsavedIsOfferedAtTheNextStartAndRemovedOnceSaved) {
  RecorderRig rig;
  rig.dialogs.listAnswers = {0};
  rig.Recorder().Start();
  rig.Play(60, 0);
  rig.Play(67, 0.25);
  rig.input->Vanish();
  rig.Recorder().Tick(std::chrono::steady_clock::now());
  EXPECT_FALSE(rig.Recorder().Recording());
  ASSERT_EQ(rig.dialogs.messages.size(), 2u) << "why it ended, and that the take is kept";
  EXPECT_NE(rig.dialogs.messages[0].text.find("\"Keys A\" is gone"), std::string::npos);
  EXPECT_NE(rig.dialogs.messages[1].text.find(rig.recovery), std::string::npos);
  EXPECT_EQ(rig.performance.NoteCount(), 2) << "the take stays loaded";
  ASSERT_TRUE(fs::exists(rig.recovery));

  RecorderRig next;  // the next start
  next.recovery = rig.recovery;
  const std::string saved = rig.dir.Path() + "/recovered.txt";
  next.dialogs.yesNoAnswers = {true};
  next.dialogs.fileAnswers = {saved};
  EXPECT_TRUE(next.Recorder().OfferRecovery());
  EXPECT_EQ(next.performance.NoteCount(), 2);
  EXPECT_EQ(next.performance.EventCount(), 2);
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_FALSE(fs::exists(rig.recovery));
  EXPECT_FALSE(next.Recorder().OfferRecovery()) << "nothing left to offer";
  EXPECT_EQ(next.dialogs.questions.size(), 1u);

  // No discards it; no input at all is said so, and nothing records.
  std::ofstream(rig.recovery) << "1; /* 0 ms */+60 80;\n";
  RecorderRig declined(std::vector<std::string>{});
  declined.recovery = rig.recovery;
  EXPECT_FALSE(declined.Recorder().OfferRecovery());
  EXPECT_FALSE(fs::exists(rig.recovery));
  declined.Recorder().Start();
  EXPECT_FALSE(declined.Recorder().Recording());
  ASSERT_EQ(declined.dialogs.messages.size(), 1u);
  EXPECT_NE(declined.dialogs.messages[0].text.find("No MIDI input"), std::string::npos);
}

}  // namespace
}  // namespace rp
