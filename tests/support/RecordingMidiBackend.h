// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A MIDI device layer for tests and benchmarks: keeps every message with its
// due and send time on the given clock, fails on request, and plays a device
// that opens slowly (held until released or cancelled) or that goes away.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"

namespace rp {

class RecordingMidiBackend final : public MidiBackend {
 public:
  struct Sent {
    std::vector<std::uint8_t> bytes;
    ReplayClock::Time due;
    ReplayClock::Time sentAt;
  };

  explicit RecordingMidiBackend(const ReplayClock& clock, std::vector<std::string> deviceNames = {"Recording output"})
      : clock_(clock), names_(std::move(deviceNames)) {}

  int DeviceCount() override;
  std::string DeviceName(int index) override;
  std::optional<MidiFailure> Open(int index) override;
  void Close() override;
  bool OpenTakesTime(int /*index*/) override { return slowOpen_; }
  void CancelOpen() override;
  bool DevicePresent() override { return present_; }
  std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) override;
  ReplayClock::Time SoundDelay() override;
  ReplayClock::Time LookAhead() override;
  void DropUnheard(ReplayClock::Time now) override;

  std::vector<Sent> SentMessages() const;
  // Plays like a synthesizer whose sound comes this long after the due time.
  void SetSoundDelay(ReplayClock::Time delay);
  // Wants each message this long before its due time, like the synthesizer.
  void SetLookAhead(ReplayClock::Time lookAhead);
  // The times DropUnheard was called with.
  std::vector<ReplayClock::Time> Drops() const;
  std::optional<int> OpenDevice() const;  // nothing while closed
  void FailOpen(std::optional<MidiFailure> failure);
  // Opening takes time (the port opens on its timing thread), and while held
  // an open waits until released or cancelled.
  void SetSlowOpen(bool slow) { slowOpen_ = slow; }
  void HoldOpen(bool hold);
  // Whether an open is waiting (true at once when one is), within `timeout`.
  bool AwaitOpening(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // The device leaves the system (false) or is there.
  void SetPresent(bool present) { present_ = present; }
  void FailSendAfter(int successfulSends, MidiFailure failure);

 private:
  const ReplayClock& clock_;
  std::vector<std::string> names_;
  mutable std::mutex mutex_;
  std::vector<Sent> sent_;
  std::optional<int> open_;
  std::optional<MidiFailure> openFailure_;
  std::optional<MidiFailure> sendFailure_;
  int sendsBeforeFailure_ = 0;
  ReplayClock::Time soundDelay_{0};
  ReplayClock::Time lookAhead_{0};
  std::vector<ReplayClock::Time> drops_;
  std::condition_variable openChanged_;
  bool opening_ = false;
  bool holdOpen_ = false;
  bool cancelled_ = false;
  std::atomic<bool> slowOpen_{false};
  std::atomic<bool> present_{true};
};

}  // namespace rp
