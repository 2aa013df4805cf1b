// SPDX-License-Identifier: GPL-3.0-or-later
// The MIDI port on the real clock, with its timing thread sending while the
// user-interface side stops, closes, resets and restarts it, and with a
// device that vanishes half-way. Whatever the interleaving: once a command
// has returned, no notification of the replay arrives any more, the port's
// state says what it is doing, and no note is left sounding.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "replay/MidiOutputPort.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

struct Counts {
  int sent = 0, ended = 0, errors = 0;
};

// A port on the steady clock whose notifications are counted when drained.
struct LiveRig {
  LiveRig() {
    port.SetNotifications({[this](MidiError, const std::string&) { ++counts.errors; }, [this](int) { ++counts.sent; },
                           [this] { ++counts.ended; }});
  }
  // `notes` note-on/off pairs on keys 40.., 1 ms apart from time 0.
  void QueueNotes(int notes) {
    for (int i = 0; i < notes; ++i) {
      for (int on = 1; on >= 0; --on) {
        port.Append({on ? i + 1 : 0, i + (on ? 0.0 : 0.5), on ? 144 : 128, 40 + i % 60, on ? 90 : 0});
      }
    }
  }
  Counts Drain() {
    counts = {};
    ui.Drain();
    return counts;
  }
  // Notes the device was told to start and not yet to stop.
  int Sounding() const {
    std::array<int, 16 * 128> on{};
    for (const auto& s : backend.SentMessages()) {
      const int kind = s.bytes[0] & 0xF0;
      const std::size_t slot = static_cast<std::size_t>((s.bytes[0] & 0x0F) * 128 + s.bytes[1]);
      if (kind == 0x90 && s.bytes[2] > 0) on[slot] = 1;
      if (kind == 0x80 || (kind == 0x90 && s.bytes[2] == 0)) on[slot] = 0;
    }
    int n = 0;
    for (int v : on) n += v;
    return n;
  }

  SteadyReplayClock clock{std::chrono::microseconds(50)};
  RecordingMidiBackend backend{clock};
  ManualUiQueue ui;
  Counts counts;
  MidiOutputPort port{backend, clock, ui.Poster()};
};

TEST(MidiPortUnderStress, NothingArrivesAfterAStopWhateverTheTiming) {
  LiveRig rig;
  rig.port.Open();
  rig.QueueNotes(200);
  for (int round = 0; round < 60; ++round) {
    rig.port.Start();
    EXPECT_EQ(rig.port.State() == PortState::Replaying || rig.port.State() == PortState::Open, true);
    test::LetTimePass(std::chrono::microseconds(50 * (round % 7)));  // the stop races the timing thread
    // Stop, close or reset: each ends the replay there and then.
    const int action = round % 3;
    if (action == 0) rig.port.Stop();
    if (action == 1) rig.port.Reset();
    if (action == 2) rig.port.Close();
    EXPECT_EQ(rig.port.State(), action == 2 ? PortState::Closed : PortState::Open) << round;
    test::LetTimePass(2ms);  // the timing thread would have sent by now
    const Counts late = rig.Drain();
    EXPECT_EQ(late.sent, 0) << round;
    EXPECT_EQ(late.ended, 0) << round;
    EXPECT_EQ(rig.Sounding(), 0) << round;
    if (action == 2) rig.port.Open();
    if (action == 1 || rig.port.QueuedMessages().empty()) rig.QueueNotes(200);
  }
}

TEST(MidiPortUnderStress, ADeviceThatVanishesEndsTheReplayOnce) {
  for (int sends : {0, 1, 7, 50}) {
    LiveRig rig;
    rig.backend.FailSendAfter(sends, {MidiError::SendFailed, "The MIDI device is gone."});
    rig.port.Open();
    rig.QueueNotes(40);
    rig.port.Start();
    test::WaitFor([&] { return rig.port.State() != PortState::Replaying; }, 5s, 1ms);
    ASSERT_EQ(rig.port.State(), PortState::Open) << sends;
    const Counts c = rig.Drain();
    EXPECT_EQ(c.errors, 1) << sends;
    EXPECT_EQ(c.ended, 1) << sends;
    EXPECT_EQ(c.sent, sends) << sends;
    // Starting again meets the same dead device: one more error, no hang;
    // closing still works.
    rig.port.Start();
    test::WaitFor([&] { return rig.port.State() != PortState::Replaying; }, 5s, 1ms);
    EXPECT_EQ(rig.Drain().errors, 1) << sends;
    rig.port.Close();
    EXPECT_EQ(rig.port.State(), PortState::Closed);
    EXPECT_EQ(rig.backend.OpenDevice(), std::nullopt);
  }
}

TEST(MidiPortUnderStress, APortThatFailsToOpenStaysClosed) {
  LiveRig rig;
  rig.backend.FailOpen(MidiFailure{MidiError::OutputOpenFailed, "The device is busy."});
  rig.port.Open();
  rig.QueueNotes(3);
  rig.port.Start();
  EXPECT_EQ(rig.port.State(), PortState::Closed);
  const Counts c = rig.Drain();
  EXPECT_EQ(c.errors, 2);  // the open, then the start on a closed port
  EXPECT_EQ(c.sent, 0);
  EXPECT_TRUE(rig.backend.SentMessages().empty());
  // Once the device is free again, the same port opens and plays.
  rig.backend.FailOpen(std::nullopt);
  rig.port.Open();
  rig.port.Start();
  test::WaitFor([&] { return rig.port.State() != PortState::Replaying; }, 5s, 1ms);
  EXPECT_EQ(rig.Drain().sent, 6);
}

}  // namespace
}  // namespace rp
