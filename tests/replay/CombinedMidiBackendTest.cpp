// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/CombinedMidiBackend.h"
#include "replay/MidiOutputPort.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"

namespace rp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The built-in device (its own "Default MIDI output" entry) in front of two
// ports, each side recording what it gets.
struct Devices {
  Devices() {
    auto synth = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{"(not listed)"});
    auto ports = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{"Port A", "Port B"});
    builtIn = synth.get();
    machine = ports.get();
    combined = std::make_unique<CombinedMidiBackend>(std::move(synth), std::move(ports));
  }
  std::vector<Bytes> SentTo(RecordingMidiBackend* side) const {
    std::vector<Bytes> bytes;
    for (const auto& s : side->SentMessages()) bytes.push_back(s.bytes);
    return bytes;
  }
  ManualReplayClock clock;
  RecordingMidiBackend* builtIn;
  RecordingMidiBackend* machine;
  std::unique_ptr<CombinedMidiBackend> combined;
};

TEST(CombinedMidiBackend, DefaultEntryIsOneDeviceAndTheNumberedEntriesTheOther) {
  Devices d;
  MidiBackend& b = *d.combined;
  EXPECT_EQ(b.DeviceCount(), 2);
  EXPECT_EQ(b.DeviceName(-1), "Default MIDI output");
  EXPECT_EQ(b.DeviceName(0), "Port A");
  EXPECT_EQ(b.DeviceName(1), "Port B");
  EXPECT_EQ(b.DeviceName(2), "");
  EXPECT_EQ(b.DeviceName(-2), "");
  ASSERT_TRUE(b.Open(2).has_value());
  EXPECT_EQ(b.Open(2)->code, MidiError::NoSuchOutput);

  const std::uint8_t on[3] = {0x90, 60, 100};
  EXPECT_EQ(b.Send(on, {})->code, MidiError::NotOpen);  // nothing open yet

  ASSERT_FALSE(b.Open(-1).has_value());
  EXPECT_EQ(d.builtIn->OpenDevice(), -1);
  EXPECT_FALSE(d.machine->OpenDevice().has_value());
  EXPECT_FALSE(b.Send(on, {}).has_value());

  // Opening a port lets the built-in device go; the port keeps its number.
  ASSERT_FALSE(b.Open(1).has_value());
  EXPECT_FALSE(d.builtIn->OpenDevice().has_value());
  EXPECT_EQ(d.machine->OpenDevice(), 1);
  EXPECT_FALSE(b.Send(on, {}).has_value());
  EXPECT_EQ(d.SentTo(d.builtIn), (std::vector<Bytes>{{0x90, 60, 100}}));
  EXPECT_EQ(d.SentTo(d.machine), (std::vector<Bytes>{{0x90, 60, 100}}));

  b.Close();
  EXPECT_FALSE(d.machine->OpenDevice().has_value());
  EXPECT_EQ(b.Send(on, {})->code, MidiError::NotOpen);
}

TEST(CombinedMidiBackend, DefaultDeviceThatCannotPlayLeavesThePortClosedAndPortsUsable) {
  Devices d;
  d.builtIn->FailOpen(MidiFailure{MidiError::NoSoundOutput, "No sound."});
  ManualUiQueue ui;
  MidiOutputPort port(*d.combined, d.clock, ui.Poster());
  std::vector<std::string> errors;
  port.SetNotifications({[&](MidiError code, const std::string& text) {
                           EXPECT_EQ(code, MidiError::NoSoundOutput);
                           errors.push_back(text);
                         },
                         {},
                         {}});
  port.SetDeviceIndex(-1);
  port.Open();
  ui.Drain();
  EXPECT_EQ(errors, std::vector<std::string>{"No sound."});
  EXPECT_EQ(port.State(), PortState::Closed);

  port.SetDeviceIndex(0);
  port.Open();
  ui.Drain();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(port.State(), PortState::Open);
  EXPECT_EQ(d.machine->OpenDevice(), 0);
  port.Close();
}

}  // namespace
}  // namespace rp
