// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's device list: the default entry (-1) is one device, the
// numbered entries 0 .. n - 1 are the devices of another backend. So the
// built-in synthesizer is the default and the machine's MIDI ports follow,
// numbered as that backend numbers them.

#include <atomic>
#include <memory>

#include "midi/MidiBackend.h"

namespace rp {

class CombinedMidiBackend final : public MidiBackend {
 public:
  // `defaultDevice` serves index -1, `devices` the indices 0 and up.
  CombinedMidiBackend(std::unique_ptr<MidiBackend> defaultDevice, std::unique_ptr<MidiBackend> devices);

  int DeviceCount() override;
  std::string DeviceName(int index) override;
  std::optional<MidiFailure> Open(int index) override;
  void Close() override;
  bool OpenTakesTime(int index) override;
  void CancelOpen() override;
  bool DevicePresent() override;
  std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) override;
  ReplayClock::Time SoundDelay() override;
  ReplayClock::Time LookAhead() override;
  void DropUnheard(ReplayClock::Time now) override;

 private:
  MidiBackend& For(int index) { return index == -1 ? *default_ : *devices_; }

  std::unique_ptr<MidiBackend> default_;
  std::unique_ptr<MidiBackend> devices_;
  // The device open now; read by the device checks from other threads.
  std::atomic<MidiBackend*> open_{nullptr};
  std::atomic<MidiBackend*> opening_{nullptr};
};

}  // namespace rp
