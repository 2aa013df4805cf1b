// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "base/ProgramState.h"
#include "frontend/ProgressSink.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/TimeDisplay.h"
#include "replay/MidiOutputPort.h"
#include "replay/ReplayControls.h"
#include "replay/ReplayEngine.h"
#include "support/FakePlotView.h"
#include "support/FakeReplayControls.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/RecordingProgressSink.h"
#include "support/ReplayEngineRig.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

using Time = ReplayClock::Time;
using Bytes = std::vector<std::uint8_t>;

Time Ms(double ms) { return Time(static_cast<Time::rep>(ms * 1e6)); }

struct Note {
  bool on;
  double ms;
  int key;
  int velocity;
};

// Four clusters: a chord {60, 64} at 1000.4 ms, then single notes 62 and 65,
// and 67 after the performance's note-offs.
const std::vector<Note> kPiece = {
    {true, 1000.4, 60, 100},                        // cluster 1
    {true, 1020, 64, 40},                           // joins cluster 1
    {false, 1300, 60, 0},    {true, 1500, 62, 84},  // cluster 2
    {false, 1600, 64, 0},    {true, 2000, 65, 3},   // cluster 3
    {false, 2400, 62, 0},    {true, 3000, 67, 1},   // cluster 4
    {false, 3500, 67, 0},
};

using FakeView = test::FakePlotView;

using FakeControls = test::FakeReplayControls;

// The engine on a recording port with two devices.
struct Rig : test::ReplayEngineRig {
  Rig() : ReplayEngineRig({"Synth A", "Synth B"}) {}

  // Loads `notes` as a file load would leave them: read, analysed, event 1
  // current; a listing of another program, so replayed 1.5 times louder.
  void Load(const std::vector<Note>& notes) {
    performance = Performance::Empty();
    performance.provenanceVelocityScale = kOtherListingVelocityScale;
    performance.notes.assign(notes.size(), NoteEvent{});
    for (std::size_t i = 0; i < notes.size(); ++i) {
      NoteEvent& n = performance.notes[i];
      n.isNoteOn = notes[i].on;
      n.timeMs = notes[i].ms;
      n.noteKey = static_cast<std::uint8_t>(notes[i].key);
      n.noteVelocity = static_cast<std::uint8_t>(notes[i].velocity);
    }
    AnalyseOnsets(performance);
    position = {};
    position.currentEvent = 0;
  }
};

TEST(ReplayEngine, ScaledVelocity) {
  const std::vector<std::pair<int, int>> velocities = {{0, 0},    {1, 2},    {3, 4},     {5, 8},    {40, 60},
                                                       {84, 126}, {85, 127}, {100, 127}, {255, 127}};
  for (auto [in, out] : velocities) EXPECT_EQ(ScaledVelocity(static_cast<std::uint8_t>(in), 1.5), out) << in;
  // As played, and softer: a note-on never becomes velocity 0, a note-off.
  EXPECT_EQ(ScaledVelocity(100, 1.0), 100);
  EXPECT_EQ(ScaledVelocity(1, 0.25), 1);
  EXPECT_EQ(ScaledVelocity(10, 0.25), 2);
  EXPECT_EQ(ScaledVelocity(0, 0.25), 0);
}

TEST(ReplayEngine, QueueMessagesQueuesEveryNoteOfTheRangeWithItsTagTimeAndScaledVelocity) {
  Rig rig;
  rig.Load(kPiece);
  std::int32_t from = 0, to = rig.performance.NoteCount() - 1;
  rig.engine.QueueMessages(from, to);
  const std::vector<MidiMessage> q = rig.port.QueuedMessages();
  ASSERT_EQ(q.size(), 9u);
  // Times from the first note's time rounded to the ms: the first is within half a ms of 0.
  EXPECT_NEAR(q[0].timeMs, 0.4, 1e-9);
  const std::vector<std::tuple<int, double, int, int, int>> expected = {
      {1, 0.4, 144, 60, 127}, {0, 20, 144, 64, 60},  {0, 300, 128, 60, 0},
      {2, 500, 144, 62, 126}, {0, 600, 128, 64, 0},  {3, 1000, 144, 65, 4},
      {0, 1400, 128, 62, 0},  {4, 2000, 144, 67, 2}, {0, 2500, 128, 67, 0}};
  for (std::size_t i = 0; i < q.size(); ++i) {
    const auto [tag, ms, status, key, velocity] = expected[i];
    EXPECT_EQ(std::make_tuple(q[i].tag, q[i].status, q[i].data1, q[i].data2),
              std::make_tuple(tag, status, key, velocity))
        << i;
    EXPECT_NEAR(q[i].timeMs, ms, 1e-9) << i;
  }
  // Behind the progress window, which is hidden again and counts notes from 1.
  EXPECT_EQ(rig.progress.captions, std::vector<std::string>{"Preparing MIDI..."});
  EXPECT_EQ(rig.progress.showCount, 1);
  EXPECT_FALSE(rig.progress.visible);
  EXPECT_EQ(rig.progress.minimum, 1);
  EXPECT_EQ(rig.progress.maximum, 9);
  EXPECT_EQ(rig.progress.value, 9);

  // From the middle: the start time is that note's, and the bar takes the
  // whole new range even where its old maximum lies below the new minimum.
  rig.port.Reset();
  rig.progress.minimum = 0;
  rig.progress.maximum = 3;
  from = 3;
  rig.engine.QueueMessages(from, to);
  EXPECT_EQ(rig.progress.minimum, 4);
  EXPECT_EQ(rig.progress.maximum, 9);
  ASSERT_EQ(rig.port.QueuedMessages().size(), 6u);
  EXPECT_EQ(rig.port.QueuedMessages().front().timeMs, 0.0);
  EXPECT_EQ(rig.port.QueuedMessages().back().timeMs, 2000.0);
}

TEST(ReplayEngine, ControllersGoOutBesideTheNotesAndEveryStopLetsThePedalsUp) {
  Rig rig;
  rig.Load(kPiece);
  rig.performance.provenanceVelocityScale = 1.0;
  // The sustain pedal down before the first note and changed between notes,
  // the soft pedal with the first note, the volume after the last.
  rig.performance.controllers = {
      {900, 0, 64, 127}, {1000.4, 0, 67, 50}, {1400, 0, 64, 0}, {1450, 0, 64, 90}, {4000, 0, 7, 100}};
  const auto queued = [&rig](std::int32_t from) {
    rig.port.Reset();
    std::int32_t to = rig.performance.NoteCount() - 1;
    rig.engine.QueueMessages(from, to);
    std::vector<std::string> out;
    for (const MidiMessage& m : rig.port.QueuedMessages()) {
      out.push_back(std::to_string(m.status) + " " + std::to_string(m.data1) + " " + std::to_string(m.data2) + " @" +
                    std::to_string(static_cast<int>(m.timeMs)));
    }
    return out;
  };
  // From the start: the pedal's state first, then everything by time, a
  // controller before a note of the same time.
  EXPECT_EQ(queued(0), (std::vector<std::string>{"176 64 127 @0", "176 67 50 @0", "144 60 100 @0", "144 64 40 @20",
                                                 "128 60 0 @300", "176 64 0 @400", "176 64 90 @450", "144 62 84 @500",
                                                 "128 64 0 @600", "144 65 3 @1000", "128 62 0 @1400", "144 67 1 @2000",
                                                 "128 67 0 @2500", "176 7 100 @3000"}));
  // From the third event (note 5): both pedals as they stand there.
  EXPECT_EQ(queued(5), (std::vector<std::string>{"176 64 90 @0", "176 67 50 @0", "144 65 3 @0", "128 62 0 @400",
                                                 "144 67 1 @1000", "128 67 0 @1500", "176 7 100 @2000"}));

  // A stop lets both pedals up before the note-offs of what sounds.
  rig.engine.Play();
  rig.AdvanceMs(100);
  rig.engine.Stop();
  const std::vector<Bytes> sent = rig.SentBytes();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(std::vector<Bytes>(sent.end() - 4, sent.end()),
            (std::vector<Bytes>{{0xB0, 64, 0}, {0xB0, 67, 0}, {0x80, 60, 0}, {0x80, 64, 0}}));
}

TEST(ReplayEngine, QueueMessagesRangeRules) {
  Rig rig;
  rig.Load(kPiece);  // 9 note events
  struct Case {
    std::int32_t from, to, wantFrom, wantTo;
    std::size_t queued;
  };
  const std::vector<Case> cases = {
      {4, 2, 0, 8, 9},     // reversed: widened by 10 each way, then cut to the file
      {-1, 100, 0, 8, 9},  // before the first and beyond the end
      {19, 29, 7, 8, 2},   // beyond the end: the last but one
      {8, 8, 8, 8, 1},
  };
  for (const Case& c : cases) {
    rig.port.Reset();
    std::int32_t from = c.from, to = c.to;
    rig.engine.QueueMessages(from, to);
    EXPECT_EQ(from, c.wantFrom) << c.from << ".." << c.to;
    EXPECT_EQ(to, c.wantTo) << c.from << ".." << c.to;
    EXPECT_EQ(rig.port.QueuedMessages().size(), c.queued) << c.from << ".." << c.to;
  }

  // No note events: nothing queued, no progress window.
  rig.Load({});
  rig.port.Reset();
  RecordingProgressSink before = rig.progress;
  std::int32_t from = 0, to = -1;
  rig.engine.QueueMessages(from, to);
  EXPECT_TRUE(rig.port.QueuedMessages().empty());
  EXPECT_EQ(rig.progress.showCount, before.showCount);
}

TEST(ReplayEngine, ReplayFollowsTheTaggedNotesAndStopsAtTheEnd) {
  Rig rig;
  rig.Load(kPiece);
  rig.controls.deviceEntry = 1;  // "Synth B"
  rig.controls.tail = 7;
  rig.engine.Play();

  EXPECT_EQ(rig.position.playFrom, 0);
  EXPECT_EQ(rig.position.playTo, 8);
  EXPECT_EQ(rig.position.tailLength, 7);
  EXPECT_EQ(rig.backend.OpenDevice(), 1);
  EXPECT_EQ(rig.port.State(), PortState::Replaying);
  EXPECT_EQ(rig.states.Current(), ProgramState::Replaying);
  EXPECT_TRUE(rig.view.borderFixed);
  EXPECT_EQ(rig.controls.timeText, "0:00:01.0");  // the time display at the start

  rig.AdvanceMs(0.4);  // the chord's first note: cluster 1
  EXPECT_EQ(rig.position.currentEvent, 0);
  EXPECT_EQ(rig.view.calls, std::vector<std::string>{"tail 0"});
  rig.AdvanceMs(300);  // the chord's second note-on (tag 0) and a note-off: no move
  EXPECT_EQ(rig.SentBytes().size(), 3u);
  EXPECT_EQ(rig.view.calls.size(), 1u);
  rig.AdvanceMs(200);  // cluster 2
  EXPECT_EQ(rig.position.currentEvent, 1);
  EXPECT_EQ(rig.controls.timeSlider, 1);
  EXPECT_EQ(rig.controls.timeText, "0:00:01.5");
  rig.AdvanceMs(1000);  // cluster 3 and a note-off
  EXPECT_EQ(rig.position.currentEvent, 2);
  EXPECT_EQ(rig.controls.timeText, "0:00:02.0");

  rig.AdvanceMs(2000);  // the rest; the end of the queue stops the replay
  EXPECT_EQ(rig.position.currentEvent, 3);
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"tail 0", "tail 1", "tail 2", "tail 3"}));
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_FALSE(rig.backend.OpenDevice().has_value());
  EXPECT_TRUE(rig.Idle());
  EXPECT_FALSE(rig.view.borderFixed);
  const std::vector<Bytes> sent = rig.SentBytes();
  ASSERT_EQ(sent.size(), 10u);
  EXPECT_EQ(sent[0], (Bytes{144, 60, 127}));
  EXPECT_EQ(sent[1], (Bytes{144, 64, 60}));
  EXPECT_EQ(sent[8], (Bytes{128, 67, 0}));
  EXPECT_EQ(sent[9], (Bytes{128, 65, 0}));  // the stop silences the note the file left on
  EXPECT_TRUE(rig.dialogs.messages.empty());

  // The next Play continues from the last event reached: its first note only.
  rig.engine.Play();
  EXPECT_EQ(rig.position.playFrom, 7);
  rig.AdvanceMs(10000);
  EXPECT_EQ(rig.SentBytes().size(), 12u);
  EXPECT_EQ(rig.SentBytes()[10], (Bytes{144, 67, 2}));
  EXPECT_TRUE(rig.Idle());
}

TEST(ReplayEngine, SpeedChangesApplyAtOnceDuringAReplay) {
  Rig rig;
  rig.Load(kPiece);
  rig.controls.speed = 1000;  // twice the recorded tempo from the start
  rig.engine.Play();
  EXPECT_EQ(rig.port.ReplaySpeed(), 1000);
  rig.AdvanceMs(250);  // 500 ms of the performance: clusters 1 and 2
  EXPECT_EQ(rig.position.currentEvent, 1);

  rig.controls.speed = -500;  // half tempo from here on
  rig.engine.OnSpeedChanged();
  EXPECT_EQ(rig.port.ReplaySpeed(), -500);
  rig.AdvanceMs(400);  // 200 ms of the performance: the note-off at 600 only
  EXPECT_EQ(rig.SentBytes().size(), 5u);
  EXPECT_EQ(rig.position.currentEvent, 1);
  rig.AdvanceMs(600);  // the message at 1000 ms is due 250 + 500 x 2 = 1250 ms after the start
  EXPECT_EQ(rig.position.currentEvent, 2);
  const auto sent = rig.backend.SentMessages();
  EXPECT_EQ(sent[5].due - sent[0].due, Ms(1250 - 0.2));
}

TEST(ReplayEngine, EveryStopEndsTheReplayAndNothingMoreIsSent) {
  Rig rig;
  rig.Load(kPiece);

  // The time slider released during a replay: stop, event 3 current, view rebuilt.
  rig.engine.Play();
  rig.AdvanceMs(1);
  rig.engine.SeekTo(2);
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_TRUE(rig.Idle());
  EXPECT_FALSE(rig.view.borderFixed);
  EXPECT_EQ(rig.position.currentEvent, 2);
  EXPECT_EQ(rig.controls.timeSlider, 2);
  EXPECT_EQ(rig.controls.timeText, "0:00:02.0");
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"tail 0", "all", "tail 2"}));
  const std::size_t sentAtStop = rig.SentBytes().size();
  rig.AdvanceMs(5000);
  EXPECT_EQ(rig.SentBytes().size(), sentAtStop);
  EXPECT_EQ(rig.position.currentEvent, 2);

  // Play starts from event 3 now; another device stops it and is used next time.
  rig.engine.Play();
  EXPECT_EQ(rig.position.playFrom, 5);
  EXPECT_EQ(rig.backend.OpenDevice(), 0);  // the first entry, "Synth A"
  rig.controls.deviceEntry = 1;
  rig.engine.OnDeviceChosen();
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_TRUE(rig.Idle());
  rig.engine.Play();
  EXPECT_EQ(rig.backend.OpenDevice(), 1);

  // A resize of the view asks for a stop; a notification still queued then is dropped.
  rig.clock.Advance(Ms(0.1));
  ASSERT_TRUE(rig.clock.AwaitSleeper());
  rig.engine.Stop();
  rig.ui.Drain();
  EXPECT_EQ(rig.position.currentEvent, 2);
  EXPECT_EQ(rig.port.State(), PortState::Closed);

  // An output that takes time to open: Play says it is starting, a second
  // Play is refused, and Stop meanwhile cancels the open; nothing is sent.
  rig.backend.SetSlowOpen(true);
  rig.backend.HoldOpen(true);
  const std::size_t sentBefore = rig.SentBytes().size();
  rig.engine.Play();
  ASSERT_TRUE(rig.backend.AwaitOpening());
  EXPECT_EQ(rig.states.Current(), ProgramState::OpeningOutput);
  EXPECT_EQ(rig.controls.timeText, kStartingText);
  rig.engine.Play();
  rig.engine.Stop();
  EXPECT_TRUE(rig.Idle());
  EXPECT_EQ(rig.controls.timeText, "0:00:02.0");
  ASSERT_TRUE(rig.clock.AwaitSleeper());
  rig.ui.Drain();
  rig.clock.Advance(Ms(5000));
  ASSERT_TRUE(rig.clock.AwaitSleeper());
  rig.ui.Drain();
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_FALSE(rig.backend.OpenDevice().has_value());
  EXPECT_EQ(rig.SentBytes().size(), sentBefore);
  EXPECT_TRUE(rig.Idle());
  EXPECT_FALSE(rig.view.borderFixed);

  // Opened when it is ready, it plays.
  rig.engine.Play();
  ASSERT_TRUE(rig.backend.AwaitOpening());
  rig.backend.HoldOpen(false);
  ASSERT_TRUE(rig.clock.AwaitSleeper());
  rig.ui.Drain();
  EXPECT_EQ(rig.states.Current(), ProgramState::Replaying);
  EXPECT_TRUE(rig.view.borderFixed);
  rig.AdvanceMs(1);
  EXPECT_EQ(rig.SentBytes().size(), sentBefore + 1);
  rig.engine.Stop();
}

TEST(ReplayEngine, PortErrorsAreShownAndAFailedOpenLeavesTheReplayStopped) {
  Rig rig;
  rig.Load(kPiece);
  rig.engine.OnPortError(MidiError::SendFailed, "The device refused a message.");
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "The device refused a message.");
  EXPECT_EQ(rig.dialogs.messages[0].title, kAppTitle);
  EXPECT_EQ(rig.dialogs.messages[0].kind, MessageKind::Error);

  rig.backend.FailOpen(MidiFailure{MidiError::OutputOpenFailed, "Synth A is busy."});
  rig.engine.Play();
  rig.ui.Drain();
  ASSERT_EQ(rig.dialogs.messages.size(), 2u);  // only why it did not open
  EXPECT_EQ(rig.dialogs.messages[1].text, "Synth A is busy.");
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_TRUE(rig.Idle());
  EXPECT_FALSE(rig.view.borderFixed);
  // The panel shows the current event of the piece again, not "Starting..."
  // nor a count the preparation left behind.
  EXPECT_FALSE(rig.progress.visible);
  EXPECT_EQ(rig.controls.timeSlider, rig.position.currentEvent);
  EXPECT_LT(rig.position.currentEvent, rig.performance.EventCount());
  EXPECT_EQ(rig.controls.timeText, FormatTimeDisplay(rig.performance.events[0].onsetMs));
}

TEST(ReplayEngine, KeysMidiCannotCarryAreSkippedWithOneMessageAndTheirClusterStillMovesThePlot) {
  Rig rig;
  rig.Load({
      {true, 1000, 60, 80},   // cluster 1
      {true, 1500, 200, 80},  // cluster 2, opened by a key above 127
      {true, 1510, 62, 80},   // joins cluster 2
      {false, 1700, 200, 0},
      {true, 2000, 255, 80},  // cluster 3, nothing else in it
      {false, 2500, 60, 0},
  });
  rig.engine.Play();
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].text, "2 notes with keys above 127 were not sent: MIDI cannot carry them.");
  EXPECT_EQ(rig.dialogs.messages[0].kind, MessageKind::Information);

  rig.AdvanceMs(500);  // cluster 2's time: nothing of key 200 sent, the plot moves
  EXPECT_EQ(rig.position.currentEvent, 1);
  rig.AdvanceMs(10);
  rig.AdvanceMs(490);
  EXPECT_EQ(rig.position.currentEvent, 2);
  rig.AdvanceMs(1000);
  EXPECT_EQ(rig.view.calls, (std::vector<std::string>{"tail 0", "tail 1", "tail 2"}));
  for (const Bytes& b : rig.SentBytes()) EXPECT_LE(b[1], 127) << "a key above 127 went out";
  EXPECT_EQ(rig.SentBytes().size(), 4u);  // 60 on, 62 on, 60 off, and 62 silenced at the end
  EXPECT_EQ(rig.dialogs.messages.size(), 1u) << "no message per note";

  EXPECT_EQ(SkippedNotesText(1), "1 note with a key above 127 was not sent: MIDI cannot carry it.");
}

TEST(ReplayEngine, TheDefaultDeviceIsTheLastThatIsNoThroughPort) {
  EXPECT_EQ(DefaultOutputEntry({"Built-in synthesizer (General MIDI)", "Digital Piano:MIDI 1 20:0",
                                "Midi Through:Midi Through Port-0 14:0"}),
            1);
  EXPECT_EQ(DefaultOutputEntry({"Built-in", "Midi Through Port-0", "MIDI LOOPBACK 1"}), 0);
  EXPECT_EQ(DefaultOutputEntry({"Built-in"}), 0);

  ManualReplayClock clock;
  RecordingMidiBackend backend(clock, {"Piano", "Midi Through Port-0"});
  ManualUiQueue ui;
  MidiOutputPort port(backend, clock, ui.Poster());
  Rig rig;
  ReplayEngine engine(port, rig.controls, rig.view, rig.progress, rig.dialogs, rig.performance, rig.position,
                      rig.states);
  port.SetDeviceIndex(1);
  EXPECT_EQ(engine.ListOutputDevices(), (std::vector<std::string>{"Piano", "Midi Through Port-0"}));
  EXPECT_EQ(port.DeviceIndex(), 1) << "listing changes no device";
  EXPECT_EQ(port.DeviceName(), "Midi Through Port-0");
}

TEST(ReplayEngine, BeforeAnyFileAndTheDeviceList) {
  Rig rig;
  // The tail length is the tail slider's from the start, not only once it moves.
  EXPECT_EQ(rig.position.tailLength, 10);
  EXPECT_EQ(rig.engine.ListOutputDevices(), (std::vector<std::string>{"Synth A", "Synth B"}));
  rig.controls.deviceEntry = 1;
  rig.engine.Play();  // opens the chosen device
  EXPECT_EQ(rig.backend.OpenDevice(), 1);
  rig.AdvanceMs(1);
  EXPECT_EQ(rig.engine.ListOutputDevices().size(), 2u);
  EXPECT_EQ(rig.port.DeviceIndex(), 1) << "listing leaves the open port's device alone";

  // Play before any file sends nothing and ends.
  EXPECT_TRUE(rig.SentBytes().empty());
  EXPECT_TRUE(rig.Idle());

  // Without events no event becomes current, wherever the slider goes.
  rig.engine.SeekTo(499);
  EXPECT_EQ(rig.position.currentEvent, std::nullopt);
  EXPECT_EQ(rig.controls.timeSlider, 0);
  EXPECT_EQ(rig.controls.timeText, "0:00:00.0");

  // The tail slider sets the tail length without a redraw.
  const std::size_t calls = rig.view.calls.size();
  rig.controls.tail = 42;
  rig.engine.OnTailLengthChanged();
  EXPECT_EQ(rig.position.tailLength, 42);
  EXPECT_EQ(rig.view.calls.size(), calls);

  // No device at all: an empty list.
  ManualReplayClock clock;
  RecordingMidiBackend none(clock, {});
  ManualUiQueue ui;
  MidiOutputPort port(none, clock, ui.Poster());
  ReplayEngine engine(port, rig.controls, rig.view, rig.progress, rig.dialogs, rig.performance, rig.position,
                      rig.states);
  EXPECT_TRUE(engine.ListOutputDevices().empty());
}

}  // namespace
}  // namespace rp
