// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/CombinedMidiBackend.h"

namespace rp {

CombinedMidiBackend::CombinedMidiBackend(std::unique_ptr<MidiBackend> defaultDevice,
                                         std::unique_ptr<MidiBackend> devices)
    : default_(std::move(defaultDevice)), devices_(std::move(devices)) {}

int CombinedMidiBackend::DeviceCount() { return devices_->DeviceCount(); }

std::string CombinedMidiBackend::DeviceName(int index) {
  if (index < -1 || index >= DeviceCount()) return {};
  return For(index).DeviceName(index);
}

std::optional<MidiFailure> CombinedMidiBackend::Open(int index) {
  if (index < -1 || index >= DeviceCount()) {
    return MidiFailure{kMidiNoSuchDevice, "There is no MIDI output device number " + std::to_string(index) + "."};
  }
  MidiBackend& device = For(index);
  // One device at a time: the other one is let go first.
  if (open_ && open_ != &device) Close();
  if (auto failure = device.Open(index)) return failure;
  open_ = &device;
  return std::nullopt;
}

void CombinedMidiBackend::Close() {
  if (open_) open_->Close();
  open_ = nullptr;
}

std::optional<MidiFailure> CombinedMidiBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) {
  if (!open_) return MidiFailure{kMidiNotOpen, "The MIDI output is not open."};
  return open_->Send(bytes, due);
}

ReplayClock::Time CombinedMidiBackend::SoundDelay() { return open_ ? open_->SoundDelay() : ReplayClock::Time{0}; }

ReplayClock::Time CombinedMidiBackend::LookAhead() { return open_ ? open_->LookAhead() : ReplayClock::Time{0}; }

void CombinedMidiBackend::DropUnheard(ReplayClock::Time now) {
  if (open_) open_->DropUnheard(now);
}

}  // namespace rp
