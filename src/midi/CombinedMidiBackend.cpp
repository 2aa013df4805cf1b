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
  if (index < -1 || index >= DeviceCount()) return MakeMidiFailure(MidiError::NoSuchOutput, std::to_string(index));
  MidiBackend& device = For(index);
  // One device at a time: the other one is let go first.
  if (open_ && open_ != &device) Close();
  opening_ = &device;
  auto failure = device.Open(index);
  opening_ = nullptr;
  if (failure) return failure;
  open_ = &device;
  return std::nullopt;
}

void CombinedMidiBackend::Close() {
  if (MidiBackend* open = open_.exchange(nullptr)) open->Close();
}

bool CombinedMidiBackend::OpenTakesTime(int index) {
  return index >= -1 && index < DeviceCount() && For(index).OpenTakesTime(index);
}

void CombinedMidiBackend::CancelOpen() {
  if (MidiBackend* opening = opening_.load()) opening->CancelOpen();
}

bool CombinedMidiBackend::DevicePresent() {
  MidiBackend* open = open_.load();
  return open == nullptr || open->DevicePresent();
}

std::optional<MidiFailure> CombinedMidiBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) {
  MidiBackend* open = open_.load();
  if (!open) return MakeMidiFailure(MidiError::NotOpen);
  return open->Send(bytes, due);
}

ReplayClock::Time CombinedMidiBackend::SoundDelay() {
  MidiBackend* open = open_.load();
  return open ? open->SoundDelay() : ReplayClock::Time{0};
}

ReplayClock::Time CombinedMidiBackend::LookAhead() {
  MidiBackend* open = open_.load();
  return open ? open->LookAhead() : ReplayClock::Time{0};
}

void CombinedMidiBackend::DropUnheard(ReplayClock::Time now) {
  if (MidiBackend* open = open_.load()) open->DropUnheard(now);
}

}  // namespace rp
