// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingMidiBackend.h"

namespace rp {

int RecordingMidiBackend::DeviceCount() { return static_cast<int>(names_.size()); }

std::string RecordingMidiBackend::DeviceName(int index) {
  if (index < 0 || index >= DeviceCount()) return {};
  return names_[static_cast<std::size_t>(index)];
}

std::optional<MidiFailure> RecordingMidiBackend::Open(int index) {
  std::unique_lock lock(mutex_);
  opening_ = true;
  openChanged_.notify_all();
  openChanged_.wait(lock, [this] { return !holdOpen_ || cancelled_; });
  opening_ = false;
  cancelled_ = false;
  if (openFailure_) return openFailure_;
  if (names_.empty()) return MakeMidiFailure(MidiError::NoOutput);
  open_ = index;
  return std::nullopt;
}

void RecordingMidiBackend::CancelOpen() {
  std::lock_guard lock(mutex_);
  if (!opening_) return;
  cancelled_ = true;
  openChanged_.notify_all();
}

void RecordingMidiBackend::HoldOpen(bool hold) {
  std::lock_guard lock(mutex_);
  holdOpen_ = hold;
  openChanged_.notify_all();
}

bool RecordingMidiBackend::AwaitOpening(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return openChanged_.wait_for(lock, timeout, [this] { return opening_; });
}

void RecordingMidiBackend::Close() {
  std::lock_guard lock(mutex_);
  open_.reset();
}

std::optional<MidiFailure> RecordingMidiBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) {
  const auto now = clock_.Now();
  std::lock_guard lock(mutex_);
  if (sendFailure_) {
    if (sendsBeforeFailure_ == 0) return sendFailure_;
    --sendsBeforeFailure_;
  }
  sent_.push_back({{bytes.begin(), bytes.end()}, due, now});
  return std::nullopt;
}

std::vector<RecordingMidiBackend::Sent> RecordingMidiBackend::SentMessages() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

std::optional<int> RecordingMidiBackend::OpenDevice() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void RecordingMidiBackend::FailOpen(std::optional<MidiFailure> failure) {
  std::lock_guard lock(mutex_);
  openFailure_ = std::move(failure);
}

void RecordingMidiBackend::FailSendAfter(int successfulSends, MidiFailure failure) {
  std::lock_guard lock(mutex_);
  sendsBeforeFailure_ = successfulSends;
  sendFailure_ = std::move(failure);
}

ReplayClock::Time RecordingMidiBackend::SoundDelay() {
  std::lock_guard lock(mutex_);
  return soundDelay_;
}

void RecordingMidiBackend::SetSoundDelay(ReplayClock::Time delay) {
  std::lock_guard lock(mutex_);
  soundDelay_ = delay;
}

ReplayClock::Time RecordingMidiBackend::LookAhead() {
  std::lock_guard lock(mutex_);
  return lookAhead_;
}

void RecordingMidiBackend::SetLookAhead(ReplayClock::Time lookAhead) {
  std::lock_guard lock(mutex_);
  lookAhead_ = lookAhead;
}

void RecordingMidiBackend::DropUnheard(ReplayClock::Time now) {
  std::lock_guard lock(mutex_);
  drops_.push_back(now);
}

std::vector<ReplayClock::Time> RecordingMidiBackend::Drops() const {
  std::lock_guard lock(mutex_);
  return drops_;
}

}  // namespace rp
