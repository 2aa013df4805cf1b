// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "replay/MidiOutputPort.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

using namespace std::chrono_literals;
using Time = ReplayClock::Time;

Time Ms(double ms) { return Time(static_cast<Time::rep>(ms * 1e6)); }

// A port on a manual clock and a recording backend, whose notifications are
// written down as text when the test drains the UI queue.
struct PortRig {
  explicit PortRig(std::vector<std::string> devices = {"Synth A", "Synth B"}) : backend(clock, std::move(devices)) {
    port.SetNotifications({
        [this](MidiError code, const std::string& text) {
          codes.push_back(code);
          events.push_back("error: " + text);
        },
        [this](int tag) { events.push_back("sent " + std::to_string(tag)); },
        [this] { events.push_back("ended"); },
    });
  }
  void Queue(int tag, double ms, int status, int key, int velocity) { port.Append({tag, ms, status, key, velocity}); }
  // Lets the timing thread do what is due, then runs the queued notifications.
  std::vector<std::string> Settle() {
    EXPECT_TRUE(clock.AwaitSleeper());
    ui.Drain();
    return std::exchange(events, {});
  }
  std::vector<std::string> AdvanceMs(double ms) {
    clock.Advance(Ms(ms));
    return Settle();
  }
  std::vector<RecordingMidiBackend::Sent> Sent() const { return backend.SentMessages(); }

  ManualReplayClock clock;
  RecordingMidiBackend backend;
  ManualUiQueue ui;
  std::vector<std::string> events;
  std::vector<MidiError> codes;
  MidiOutputPort port{backend, clock, ui.Poster()};
};

using Strings = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

TEST(MidiOutputPort, ReplaySendsTheQueueInOrderAtScaledTimesAndReportsEachMessage) {
  PortRig rig;
  EXPECT_EQ(rig.port.DeviceCount(), 2);
  rig.port.SetDeviceIndex(1);
  EXPECT_EQ(rig.port.DeviceName(), "Synth B");
  rig.port.Open();
  EXPECT_EQ(rig.backend.OpenDevice(), 1);
  EXPECT_EQ(rig.port.State(), PortState::Open);

  rig.Queue(1, 0, 144, 60, 100);  // a chord: two note-ons at 0, only the first tagged
  rig.Queue(0, 0.4, 144, 64, 90);
  rig.Queue(0, 250, 128, 60, 0);
  rig.Queue(2, 500, 144, 62, 80);
  rig.Queue(0, 1000, 128, 62, 0);
  rig.Queue(0, 1000, 128, 64, 0);
  EXPECT_EQ(rig.port.QueuedMessages().size(), 6u);

  rig.port.SetReplaySpeed(1000);  // twice the recorded tempo
  const Time start = rig.clock.Now();
  rig.port.Start();
  EXPECT_EQ(rig.port.State(), PortState::Replaying);
  EXPECT_EQ(rig.Settle(), (Strings{"sent 1"}));  // 0.4 ms at double tempo is not yet due
  EXPECT_EQ(rig.AdvanceMs(0.2), (Strings{"sent 0"}));
  EXPECT_EQ(rig.AdvanceMs(124.5), (Strings{}));
  EXPECT_EQ(rig.AdvanceMs(0.5), (Strings{"sent 0"}));
  EXPECT_EQ(rig.port.State(), PortState::Replaying);
  EXPECT_EQ(rig.AdvanceMs(125), (Strings{"sent 2"}));
  EXPECT_EQ(rig.AdvanceMs(250), (Strings{"sent 0", "sent 0", "ended"}));
  EXPECT_EQ(rig.port.State(), PortState::Open);
  EXPECT_TRUE(rig.port.QueuedMessages().empty());

  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 6u);
  const std::vector<Bytes> bytes = {{144, 60, 100}, {144, 64, 90}, {128, 60, 0},
                                    {144, 62, 80},  {128, 62, 0},  {128, 64, 0}};
  const std::vector<double> dueMs = {0, 0.2, 125, 250, 500, 500};
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].bytes, bytes[i]) << i;
    EXPECT_EQ(sent[i].due, start + Ms(dueMs[i])) << i;
    EXPECT_GE(sent[i].sentAt, sent[i].due) << i;
  }

  rig.port.Stop();
  rig.port.Close();
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  EXPECT_EQ(rig.backend.OpenDevice(), std::nullopt);
  EXPECT_EQ(rig.Sent().size(), 6u);  // every note was off already: nothing to silence
}

TEST(MidiOutputPort, SpeedChangeDuringReplayGoesOnFromTheCurrentPosition) {
  PortRig rig;
  rig.port.Open();
  for (int i = 0; i < 4; ++i) rig.Queue(i + 1, 100.0 * i, 144, 60 + i, 64);
  const Time start = rig.clock.Now();
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), (Strings{"sent 1"}));
  EXPECT_EQ(rig.AdvanceMs(150), (Strings{"sent 2"}));

  // At 150 ms the replay stands at 150 ms; twice as fast, 200 is 25 ms away.
  rig.port.SetReplaySpeed(1000);
  EXPECT_EQ(rig.port.ReplaySpeed(), 1000);
  EXPECT_EQ(rig.AdvanceMs(24), (Strings{}));
  EXPECT_EQ(rig.AdvanceMs(1), (Strings{"sent 3"}));
  // At a quarter of the tempo the last 100 ms take 400 ms.
  rig.port.SetReplaySpeed(-1000);
  EXPECT_EQ(rig.AdvanceMs(399), (Strings{}));
  EXPECT_EQ(rig.AdvanceMs(1), (Strings{"sent 4", "ended"}));

  const auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 4u);
  EXPECT_EQ(sent[1].due, start + Ms(100));
  EXPECT_EQ(sent[2].due, start + Ms(175));
  EXPECT_EQ(sent[3].due, start + Ms(575));
}

TEST(MidiOutputPort, StopSilencesDropsPendingNotificationsAndStartResumes) {
  PortRig rig;
  rig.port.Open();
  rig.Queue(1, 0, 144, 60, 90);
  rig.Queue(0, 100, 128, 60, 0);
  rig.Queue(2, 200, 144, 62, 90);
  rig.Queue(0, 300, 128, 62, 0);
  rig.port.Start();
  ASSERT_TRUE(rig.clock.AwaitSleeper());
  EXPECT_EQ(rig.ui.Pending(), 1u);  // "sent 1" is queued but not yet delivered

  rig.port.Stop();
  EXPECT_EQ(rig.port.State(), PortState::Open);
  EXPECT_EQ(rig.Settle(), (Strings{}));  // the stale notification is dropped
  EXPECT_EQ(rig.AdvanceMs(1000), (Strings{}));
  auto sent = rig.Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].bytes, (Bytes{128, 60, 0}));  // the sounding note is turned off
  EXPECT_EQ(rig.port.QueuedMessages().size(), 3u);

  // A new start goes on from the last message sent: the next one, 100 ms
  // after it, is due 100 ms after the start.
  rig.port.Start();
  EXPECT_EQ(rig.AdvanceMs(99), (Strings{}));
  EXPECT_EQ(rig.AdvanceMs(1), (Strings{"sent 0"}));

  // Reset during a replay stops it and empties the queue.
  rig.port.Reset();
  EXPECT_EQ(rig.port.State(), PortState::Open);
  EXPECT_TRUE(rig.port.QueuedMessages().empty());
  EXPECT_EQ(rig.AdvanceMs(1000), (Strings{}));
  EXPECT_EQ(rig.Sent().size(), 3u);

  // Reset is accepted while closed; an empty queue ends a replay at once.
  rig.port.Close();
  rig.port.Reset();
  rig.port.Open();
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), (Strings{"ended"}));
  EXPECT_EQ(rig.port.State(), PortState::Open);
}

// A synthesizer heard 30 ms after each due time: the messages still go at
// their times, each is reported when it is heard, the end after the last, and
// a stop drops what was not heard yet.
TEST(MidiOutputPort, MessagesAreReportedWhenHeard) {
  PortRig rig;
  rig.backend.SetSoundDelay(Ms(30));
  rig.port.Open();
  rig.Queue(1, 0, 144, 60, 100);
  rig.Queue(2, 20, 144, 62, 100);
  rig.Queue(3, 100, 144, 64, 100);
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), Strings{});
  EXPECT_EQ(rig.Sent().size(), 1u);
  EXPECT_EQ(rig.AdvanceMs(20), Strings{});
  EXPECT_EQ(rig.Sent().size(), 2u);
  EXPECT_EQ(rig.AdvanceMs(10), (Strings{"sent 1"}));
  EXPECT_EQ(rig.AdvanceMs(20), (Strings{"sent 2"}));
  EXPECT_EQ(rig.AdvanceMs(50), Strings{});
  EXPECT_EQ(rig.Sent().size(), 3u);
  EXPECT_EQ(rig.AdvanceMs(29), Strings{});
  EXPECT_EQ(rig.port.State(), PortState::Replaying) << "still sounding out";
  EXPECT_EQ(rig.AdvanceMs(1), (Strings{"sent 3", "ended"}));

  rig.port.Reset();
  rig.Queue(4, 0, 144, 60, 100);
  rig.port.Start();
  rig.Settle();
  rig.port.Stop();
  EXPECT_EQ(rig.AdvanceMs(100), Strings{});
}

// A synthesizer that wants each message 50 ms ahead and is heard 30 ms after
// the due time: the reports still follow the sound, and a stop drops what was
// sent ahead, which a new start sends again at its time.
TEST(MidiOutputPort, MessagesGoAheadOfTimeToASynthesizerThatAsks) {
  PortRig rig;
  rig.backend.SetLookAhead(Ms(50));
  rig.backend.SetSoundDelay(Ms(30));
  rig.port.Open();
  rig.Queue(1, 0, 144, 60, 100);
  rig.Queue(2, 40, 144, 62, 100);
  rig.Queue(3, 200, 144, 64, 100);
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), Strings{});
  ASSERT_EQ(rig.Sent().size(), 2u);
  EXPECT_EQ(rig.Sent()[1].due - rig.Sent()[1].sentAt, Ms(40));
  EXPECT_EQ(rig.AdvanceMs(30), (Strings{"sent 1"}));
  EXPECT_EQ(rig.AdvanceMs(39), Strings{});
  EXPECT_EQ(rig.AdvanceMs(1), (Strings{"sent 2"}));
  EXPECT_EQ(rig.AdvanceMs(80), Strings{});
  ASSERT_EQ(rig.Sent().size(), 3u) << "message 3 goes 50 ms before its time";
  EXPECT_EQ(rig.Sent()[2].sentAt, rig.Sent()[0].sentAt + Ms(150));

  rig.port.Stop();
  EXPECT_EQ(rig.backend.Drops().size(), 1u);
  EXPECT_EQ(rig.port.QueuedMessages().size(), 1u) << "message 3 was dropped unheard";
  // Going on from message 2: message 3 is due 160 ms after the new start.
  const std::size_t beforeStart = rig.Sent().size();  // with the stop's note-offs
  rig.port.Start();
  EXPECT_EQ(rig.AdvanceMs(109), Strings{});
  EXPECT_EQ(rig.Sent().size(), beforeStart);
  EXPECT_EQ(rig.AdvanceMs(1), Strings{});
  ASSERT_EQ(rig.Sent().size(), beforeStart + 1);
  EXPECT_EQ(rig.Sent().back().bytes, (Bytes{144, 64, 100}));
  EXPECT_EQ(rig.Sent().back().due - rig.Sent().back().sentAt, Ms(50));
  EXPECT_EQ(rig.AdvanceMs(80), (Strings{"sent 3", "ended"}));
}

TEST(MidiOutputPort, FailuresRaisePortErrorWithCodesTheControlPanelShows) {
  PortRig rig(std::vector<std::string>{});  // no MIDI output at all
  EXPECT_EQ(rig.port.DeviceCount(), 0);
  EXPECT_EQ(rig.port.DeviceName(), "");
  rig.port.Open();
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  rig.port.Start();
  // Errors of the commands survive a stop: the user learns why nothing plays.
  rig.port.Stop();
  rig.ui.Drain();
  EXPECT_EQ(rig.events,
            (Strings{"error: " + MakeMidiFailure(MidiError::NoOutput).text, "error: The MIDI output is not open."}));
  EXPECT_EQ(rig.codes, (std::vector<MidiError>{MidiError::NoOutput, MidiError::NotOpen}));

  // Among devices, a number past the list is named.
  PortRig two;
  two.port.SetDeviceIndex(5);
  EXPECT_EQ(two.port.DeviceName(), "");
  two.port.Open();
  two.Queue(0, 0, 300, 60, 64);
  two.Queue(0, 0, 144, 60, 200);
  two.ui.Drain();
  EXPECT_EQ(two.codes,
            (std::vector<MidiError>{MidiError::NoSuchOutput, MidiError::InvalidMessage, MidiError::InvalidMessage}));
  EXPECT_EQ(two.events[0], "error: There is no MIDI output device number 5.");
  EXPECT_TRUE(two.port.QueuedMessages().empty());
  EXPECT_EQ(two.backend.OpenDevice(), std::nullopt);
}

TEST(MidiOutputPort, SendFailureEndsTheReplayOnceWithItsText) {
  PortRig rig;
  rig.backend.FailSendAfter(1, {MidiError::SendFailed, "The device is gone."});
  rig.port.Open();
  for (int i = 0; i < 3; ++i) rig.Queue(i + 1, 10.0 * i, 144, 60, 64);
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), (Strings{"sent 1"}));
  EXPECT_EQ(rig.AdvanceMs(50), (Strings{"error: The device is gone.", "ended"}));
  EXPECT_EQ(rig.port.State(), PortState::Open);
  // The sounding note goes off at the stop, as far as the device allows.
  rig.port.Stop();
  EXPECT_EQ(rig.Sent().size(), 1u);
}

// JACK and ALSA let sends to a port that went away succeed: the device list tells.
TEST(MidiOutputPort, ADeviceThatLeavesMidReplayEndsItOnceNamingIt) {
  PortRig rig;
  rig.port.SetDeviceIndex(0);
  rig.port.Open();
  rig.Queue(1, 0, 144, 60, 64);
  rig.Queue(2, 10000, 128, 60, 0);
  rig.port.Start();
  EXPECT_EQ(rig.Settle(), (Strings{"sent 1"}));
  rig.backend.SetPresent(false);
  EXPECT_TRUE(test::WaitFor(
      [&] {
        rig.ui.Drain();
        return !rig.events.empty();
      },
      2s));
  test::LetTimePass(600ms);  // three more checks: nothing more is said
  rig.ui.Drain();
  EXPECT_EQ(rig.events, (Strings{"error: The MIDI output \"Synth A\" is gone (unplugged, or its program ended). The "
                                 "replay stopped.",
                                 "ended"}));
  EXPECT_EQ(rig.codes, std::vector<MidiError>{MidiError::OutputGone});
  EXPECT_EQ(rig.port.State(), PortState::Open);
}

TEST(MidiOutputPort, NotificationsQueuedBeforeDestructionDoNothing) {
  ManualReplayClock clock;
  RecordingMidiBackend backend(clock);
  ManualUiQueue ui;
  int delivered = 0;
  auto port = std::make_unique<MidiOutputPort>(backend, clock, ui.Poster());
  port->SetNotifications(
      {[&](MidiError, const std::string&) { ++delivered; }, [&](int) { ++delivered; }, [&] { ++delivered; }});
  port->Open();
  port->Append({0, 0, 144, 60, 64});
  port->Start();
  ASSERT_TRUE(clock.AwaitSleeper());
  port->Append({0, 0, 300, 60, 64});  // refused: an error notification
  EXPECT_EQ(ui.Pending(), 3u);
  port.reset();
  EXPECT_EQ(backend.OpenDevice(), std::nullopt);
  EXPECT_EQ(backend.SentMessages().back().bytes, (Bytes{128, 60, 0}));
  ui.Drain();
  EXPECT_EQ(delivered, 0);
}

TEST(MidiOutputPort, SteadyClockReplayKeepsTime) {
  SteadyReplayClock clock;
  RecordingMidiBackend backend(clock);
  ManualUiQueue ui;
  MidiOutputPort port(backend, clock, ui.Poster());
  port.Open();
  for (int i = 0; i < 5; ++i) {
    port.Append({0, 5.0 * i, 144, 0, 0});
  }
  const Time before = clock.Now();
  port.Start();
  ASSERT_TRUE(test::WaitFor([&] { return port.State() != PortState::Replaying; }, 10s, 1ms));
  const auto sent = backend.SentMessages();
  ASSERT_EQ(sent.size(), 5u);
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_GE(sent[i].due - before, Ms(5.0 * static_cast<double>(i))) << i;
    EXPECT_GE(sent[i].sentAt, sent[i].due) << i;
    EXPECT_LT(sent[i].sentAt - sent[i].due, 50ms) << i;  // generous: a shared machine
  }
  EXPECT_EQ(ui.Drain(), 6u);  // five sent, one ended
}

}  // namespace
}  // namespace rp
