// SPDX-License-Identifier: GPL-3.0-or-later
#include "midi/ChainedMidiOutputs.h"

#include <string>

namespace rp {

std::optional<ChainedMidiOutputs::Place> ChainedMidiOutputs::Find(int index) {
  if (index < 0) return std::nullopt;
  for (const auto& layer : layers_) {
    const int count = layer->DeviceCount();
    if (index < count) return Place{layer.get(), index};
    index -= count;
  }
  return std::nullopt;
}

int ChainedMidiOutputs::DeviceCount() {
  int count = 0;
  for (const auto& layer : layers_) count += layer->DeviceCount();
  return count;
}

std::string ChainedMidiOutputs::DeviceName(int index) {
  const auto place = Find(index);
  return place ? place->layer->DeviceName(place->index) : std::string();
}

std::optional<MidiFailure> ChainedMidiOutputs::Open(int index) {
  const auto place = Find(index);
  if (!place) return MakeMidiFailure(MidiError::NoSuchOutput, std::to_string(index));
  // One device at a time: another layer's is let go first.
  if (open_ && open_ != place->layer) Close();
  opening_ = place->layer;
  auto failure = place->layer->Open(place->index);
  opening_ = nullptr;
  if (failure) return failure;
  open_ = place->layer;
  return std::nullopt;
}

void ChainedMidiOutputs::Close() {
  if (MidiBackend* open = open_.exchange(nullptr)) open->Close();
}

bool ChainedMidiOutputs::OpenTakesTime(int index) {
  const auto place = Find(index);
  return place && place->layer->OpenTakesTime(place->index);
}

void ChainedMidiOutputs::CancelOpen() {
  if (MidiBackend* opening = opening_.load()) opening->CancelOpen();
}

bool ChainedMidiOutputs::DevicePresent() {
  MidiBackend* open = open_.load();
  return open == nullptr || open->DevicePresent();
}

std::optional<MidiFailure> ChainedMidiOutputs::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) {
  MidiBackend* open = open_.load();
  if (!open) return MakeMidiFailure(MidiError::NotOpen);
  return open->Send(bytes, due);
}

ReplayClock::Time ChainedMidiOutputs::SoundDelay() {
  MidiBackend* open = open_.load();
  return open ? open->SoundDelay() : ReplayClock::Time{0};
}

ReplayClock::Time ChainedMidiOutputs::LookAhead() {
  MidiBackend* open = open_.load();
  return open ? open->LookAhead() : ReplayClock::Time{0};
}

void ChainedMidiOutputs::DropUnheard(ReplayClock::Time now) {
  if (MidiBackend* open = open_.load()) open->DropUnheard(now);
}

}  // namespace rp
