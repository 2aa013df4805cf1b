// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/ChainedMidiOutputs.h"
#include "replay/MidiOutputPort.h"
#include "support/ManualReplayClock.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"

namespace rp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A built-in device, a layer with no device at the moment, and two ports,
// each layer recording what it gets.
struct Devices {
  Devices() {
    auto synth = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{"Built-in"});
    auto empty = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{});
    auto ports = std::make_unique<RecordingMidiBackend>(clock, std::vector<std::string>{"Port A", "Port B"});
    builtIn = synth.get();
    nothing = empty.get();
    machine = ports.get();
    chain = std::make_unique<ChainedMidiOutputs>(std::move(synth), std::move(empty), std::move(ports));
  }
  std::vector<Bytes> SentTo(RecordingMidiBackend* layer) const {
    std::vector<Bytes> bytes;
    for (const auto& s : layer->SentMessages()) bytes.push_back(s.bytes);
    return bytes;
  }
  ManualReplayClock clock;
  RecordingMidiBackend* builtIn;
  RecordingMidiBackend* nothing;
  RecordingMidiBackend* machine;
  std::unique_ptr<ChainedMidiOutputs> chain;
};

TEST(ChainedMidiOutputs, ListsEachLayersDevicesAfterThoseOfTheLayersBefore) {
  Devices d;
  MidiBackend& b = *d.chain;
  EXPECT_EQ(b.DeviceCount(), 3);
  EXPECT_EQ(b.DeviceName(0), "Built-in");
  EXPECT_EQ(b.DeviceName(1), "Port A");
  EXPECT_EQ(b.DeviceName(2), "Port B");
  EXPECT_EQ(b.DeviceName(3), "");
  EXPECT_EQ(b.DeviceName(-1), "");
  ASSERT_TRUE(b.Open(3).has_value());
  EXPECT_EQ(b.Open(3)->code, MidiError::NoSuchOutput);
  EXPECT_EQ(b.Open(-1)->code, MidiError::NoSuchOutput);

  const std::uint8_t on[3] = {0x90, 60, 100};
  EXPECT_EQ(b.Send(on, {})->code, MidiError::NotOpen);  // nothing open yet

  ASSERT_FALSE(b.Open(0).has_value());
  EXPECT_EQ(d.builtIn->OpenDevice(), 0);
  EXPECT_FALSE(d.machine->OpenDevice().has_value());
  EXPECT_FALSE(b.Send(on, {}).has_value());

  // Opening a port lets the built-in device go; the port's layer gets its own number.
  ASSERT_FALSE(b.Open(2).has_value());
  EXPECT_FALSE(d.builtIn->OpenDevice().has_value());
  EXPECT_EQ(d.machine->OpenDevice(), 1);
  EXPECT_FALSE(d.nothing->OpenDevice().has_value());
  EXPECT_FALSE(b.Send(on, {}).has_value());
  EXPECT_EQ(d.SentTo(d.builtIn), (std::vector<Bytes>{{0x90, 60, 100}}));
  EXPECT_EQ(d.SentTo(d.machine), (std::vector<Bytes>{{0x90, 60, 100}}));

  // The device check asks the layer that is open.
  d.builtIn->SetPresent(false);
  EXPECT_TRUE(b.DevicePresent());
  d.machine->SetPresent(false);
  EXPECT_FALSE(b.DevicePresent());
  d.machine->SetPresent(true);

  b.Close();
  EXPECT_FALSE(d.machine->OpenDevice().has_value());
  EXPECT_EQ(b.Send(on, {})->code, MidiError::NotOpen);
}

TEST(ChainedMidiOutputs, AFirstDeviceThatCannotPlayLeavesThePortClosedAndTheOthersUsable) {
  Devices d;
  d.builtIn->FailOpen(MidiFailure{MidiError::NoSoundOutput, "No sound."});
  ManualUiQueue ui;
  MidiOutputPort port(*d.chain, d.clock, ui.Poster());
  std::vector<std::string> errors;
  port.SetNotifications({[&](MidiError code, const std::string& text) {
                           EXPECT_EQ(code, MidiError::NoSoundOutput);
                           errors.push_back(text);
                         },
                         {},
                         {}});
  port.Open();  // the first device, chosen from the start
  ui.Drain();
  EXPECT_EQ(errors, std::vector<std::string>{"No sound."});
  EXPECT_EQ(port.State(), PortState::Closed);

  port.SetDeviceIndex(1);
  port.Open();
  ui.Drain();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(port.State(), PortState::Open);
  EXPECT_EQ(d.machine->OpenDevice(), 0);
  port.Close();
}

}  // namespace
}  // namespace rp
