// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Several device layers as one device list: the outputs of the first layer,
// then those of the second, and so on, numbered on from 0. The program puts
// the built-in synthesizer first and the machine's MIDI ports after it. A
// layer whose list grows or shrinks moves the numbers of the layers after it,
// so the layers with a fixed list go first.

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "midi/MidiBackend.h"

namespace rp {

class ChainedMidiOutputs final : public MidiBackend {
 public:
  // The layers in the order their devices are listed.
  template <class... Layers>
  explicit ChainedMidiOutputs(std::unique_ptr<Layers>... layers) {
    (layers_.push_back(std::move(layers)), ...);
  }

  int DeviceCount() override;
  std::string DeviceName(int index) override;
  // Opening a device of another layer closes the open one first.
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
  // A device of the chain as its own layer numbers it.
  struct Place {
    MidiBackend* layer;
    int index;
  };
  std::optional<Place> Find(int index);

  std::vector<std::unique_ptr<MidiBackend>> layers_;
  // The layer open now and the one opening; read by the device checks from
  // other threads.
  std::atomic<MidiBackend*> open_{nullptr};
  std::atomic<MidiBackend*> opening_{nullptr};
};

}  // namespace rp
