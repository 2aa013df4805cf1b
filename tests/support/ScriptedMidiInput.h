// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A MIDI input for tests: a fixed device list, messages the test sends (from
// its own thread or any other) as if the MIDI system delivered them, and a
// device that vanishes on request.

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "midi/MidiInput.h"

namespace rp {

class ScriptedMidiInput final : public MidiInput {
 public:
  explicit ScriptedMidiInput(std::vector<std::string> deviceNames = {"Scripted keyboard"})
      : names_(std::move(deviceNames)) {}

  std::vector<std::string> DeviceNames() override { return names_; }
  std::optional<MidiFailure> Open(int index, MidiInputHandler handler) override;
  void Close() override;
  bool DevicePresent() override { return open_.has_value() && !vanished_.load(); }

  // Delivers one message played at `timeUs` to the open device's handler;
  // false while closed.
  bool Deliver(std::vector<std::uint8_t> bytes, std::int64_t timeUs);
  void Vanish() { vanished_.store(true); }
  void FailOpen(MidiFailure failure) { openFailure_ = std::move(failure); }
  std::optional<int> OpenDevice() const { return open_; }

 private:
  std::vector<std::string> names_;
  std::mutex mutex_;
  MidiInputHandler handler_;
  std::optional<int> open_;
  std::optional<MidiFailure> openFailure_;
  std::atomic<bool> vanished_{false};
};

}  // namespace rp
