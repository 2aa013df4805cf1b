// SPDX-License-Identifier: GPL-3.0-or-later
// A performance read from a recording: Play replays the recording's sound
// (from the current event on, at the slider's speed, whichever device is
// chosen), and the engine follows it as it follows the notes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "analysis/RecordingPerformance.h"
#include "replay/RecordingReplay.h"
#include "support/ReplayEngineRig.h"

namespace rp::test {
namespace {

class FakeRecordingReplay final : public RecordingReplay {
 public:
  void SetNotifications(Notifications notifications) override { n = std::move(notifications); }
  void Start(const RecordingCue& cue) override { cues.push_back(cue); }
  void Stop() override { ++stops; }
  void SetFactor(double factor) override { factors.push_back(factor); }
  Notifications n;
  std::vector<RecordingCue> cues;
  std::vector<double> factors;
  int stops = 0;
};

// A recording's four onsets, event 2 current, a MIDI device chosen.
struct Rig : ReplayEngineRig {
  Rig() {
    std::vector<DetectedOnset> onsets;
    for (double ms : {100.0, 600.0, 1100.0, 1900.0}) onsets.push_back({ms, 1.0, -12.0});
    TakeRecordingOnsets(onsets, performance);
    performance.sourcePath = "/music/take.flac";
    AnalyseOnsets(performance);
    position.currentEvent = 1;
    controls.deviceEntry = 0;  // "Synth A"
    controls.speed = 1000;
    engine.SetRecordingReplay(&recording);
  }
  ~Rig() { engine.SetRecordingReplay(nullptr); }
  FakeRecordingReplay recording;
};

TEST(RecordingReplayEngine, PlaysTheSoundFromTheCurrentEventAndFollowsIt) {
  Rig rig;
  ASSERT_TRUE(rig.engine.PlaysRecording());
  rig.engine.Play();
  ASSERT_EQ(rig.recording.cues.size(), 1u);
  const RecordingCue& cue = rig.recording.cues[0];
  EXPECT_EQ(cue.path, "/music/take.flac");
  EXPECT_DOUBLE_EQ(cue.fromMs, 600.0);
  EXPECT_DOUBLE_EQ(cue.factor, 2.0);
  EXPECT_EQ(cue.firstEvent, 1);
  EXPECT_EQ(cue.onsetsMs, (std::vector<double>{600.0, 1100.0, 1900.0}));
  EXPECT_TRUE(rig.states.Is(ProgramState::OpeningOutput));
  EXPECT_EQ(rig.controls.timeText, kStartingText);

  rig.recording.n.started();
  EXPECT_TRUE(rig.states.Is(ProgramState::Replaying));
  rig.recording.n.eventHeard(2);
  EXPECT_EQ(rig.position.currentEvent, 2);
  EXPECT_EQ(rig.view.calls.back(), "tail 2");
  rig.controls.speed = -500;
  rig.engine.OnSpeedChanged();
  EXPECT_EQ(rig.recording.factors, (std::vector<double>{0.5}));
  rig.recording.n.ended();
  EXPECT_TRUE(rig.states.Is(ProgramState::Idle));
  EXPECT_GE(rig.recording.stops, 1);
  // Nothing went to the MIDI device, and no error came of the unused port.
  rig.ui.Drain();
  EXPECT_TRUE(rig.backend.SentMessages().empty());
  EXPECT_TRUE(rig.dialogs.messages.empty());
}

TEST(RecordingReplayEngine, AFailureIsShownAndTheReplayIsOver) {
  Rig rig;
  rig.engine.Play();
  rig.recording.n.error("no sound");
  EXPECT_TRUE(rig.states.Is(ProgramState::Idle));
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "no sound");
  EXPECT_NE(rig.controls.timeText, kStartingText);
}

}  // namespace
}  // namespace rp::test
