// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/MidiOutputPort.h"

#include <algorithm>
#include <utility>

#include "replay/TempoMapping.h"

namespace rp {

// What the queued notifications share with the port. It outlives the port as
// long as a notification is queued; the generation tells a stale notification
// of an ended replay from a current one.
struct MidiOutputPort::Channel {
  std::atomic<bool> alive{true};
  std::atomic<unsigned> generation{0};
  Notifications handlers;
};

MidiOutputPort::MidiOutputPort(MidiBackend& backend, ReplayClock& clock, PostToUi postToUi)
    : backend_(backend), clock_(clock), post_(std::move(postToUi)), channel_(std::make_shared<Channel>()) {}

MidiOutputPort::~MidiOutputPort() {
  {
    std::lock_guard lock(mutex_);
    CloseLocked();
    channel_->alive = false;
    quit_ = true;
  }
  clock_.Wake();
  if (thread_.joinable()) thread_.join();
}

void MidiOutputPort::SetNotifications(Notifications notifications) { channel_->handlers = std::move(notifications); }

int MidiOutputPort::DeviceCount() const {
  std::lock_guard lock(mutex_);
  return backend_.DeviceCount();
}

int MidiOutputPort::DeviceIndex() const {
  std::lock_guard lock(mutex_);
  return deviceIndex_;
}

void MidiOutputPort::SetDeviceIndex(int index) {
  std::lock_guard lock(mutex_);
  deviceIndex_ = index;
}

std::string MidiOutputPort::DeviceName() const {
  std::lock_guard lock(mutex_);
  if (deviceIndex_ < -1 || deviceIndex_ >= backend_.DeviceCount()) return {};
  return backend_.DeviceName(deviceIndex_);
}

int MidiOutputPort::ReplaySpeed() const {
  std::lock_guard lock(mutex_);
  return replaySpeed_;
}

void MidiOutputPort::SetReplaySpeed(int speed) {
  {
    std::lock_guard lock(mutex_);
    replaySpeed_ = speed;
    if (state_ != PortState::Replaying) return;
    timeline_.ChangeFactor(clock_.Now(), TempoFactor(speed));
  }
  clock_.Wake();
}

std::vector<MidiMessage> MidiOutputPort::QueuedMessages() const {
  std::lock_guard lock(mutex_);
  return {queue_.begin() + static_cast<std::ptrdiff_t>(cursor_), queue_.end()};
}

template <class Command>
void MidiOutputPort::Locked(Command command) {
  {
    std::lock_guard lock(mutex_);
    command();
  }
  clock_.Wake();
}

void MidiOutputPort::Open() {
  Locked([this] {
    if (state_ != PortState::Closed) {
      if (openDevice_ == deviceIndex_) return;
      CloseLocked();
    }
    const int count = backend_.DeviceCount();
    if (deviceIndex_ < -1 || deviceIndex_ >= count) {
      RaiseError(kMidiNoSuchDevice, "There is no MIDI output device number " + std::to_string(deviceIndex_) + ".");
      return;
    }
    if (auto failure = backend_.Open(deviceIndex_)) {
      RaiseError(failure->code, std::move(failure->text));
      return;
    }
    openDevice_ = deviceIndex_;
    state_ = PortState::Open;
  });
}

void MidiOutputPort::Close() {
  Locked([this] { CloseLocked(); });
}

void MidiOutputPort::CloseLocked() {
  EndReplay();
  if (state_ == PortState::Closed) return;
  backend_.Close();
  state_ = PortState::Closed;
}

void MidiOutputPort::Reset() {
  Locked([this] {
    EndReplay();
    if (state_ == PortState::Replaying) state_ = PortState::Open;
    queue_.clear();
    cursor_ = 0;
    resumeMs_ = 0;
  });
}

void MidiOutputPort::Start() {
  Locked([this] {
    if (state_ == PortState::Closed) {
      RaiseError(kMidiNotOpen, "The MIDI output is not open.");
      return;
    }
    if (state_ == PortState::Replaying) return;
    startMs_ = resumeMs_;
    timeline_.Start(clock_.Now(), resumeMs_, TempoFactor(replaySpeed_));
    state_ = PortState::Replaying;
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  });
}

void MidiOutputPort::Stop() {
  Locked([this] {
    EndReplay();
    if (state_ == PortState::Replaying) state_ = PortState::Open;
  });
}

void MidiOutputPort::Append(const MidiMessage& m) {
  Locked([&] {
    const bool valid = m.status == kTagOnlyStatus || (m.status >= 0x80 && m.status <= 0xEF && m.data1 >= 0 &&
                                                      m.data1 <= 127 && m.data2 >= 0 && m.data2 <= 127);
    if (!valid) {
      RaiseError(kMidiInvalidMessage, "Invalid MIDI message (status " + std::to_string(m.status) + ", data " +
                                          std::to_string(m.data1) + ", " + std::to_string(m.data2) +
                                          "); it was not queued.");
      return;
    }
    queue_.push_back(m);
  });
}

void MidiOutputPort::EndReplay() {
  // Whatever the timing thread queued for the UI so far is stale from here on.
  ++channel_->generation;
  if (state_ == PortState::Replaying) {
    // Messages sent ahead of their time are dropped; a later start sends
    // them again.
    const auto now = clock_.Now();
    backend_.DropUnheard(now);
    for (const Sent& sent : heard_) {
      if (sent.due <= now) continue;
      cursor_ = sent.index;
      resumeMs_ = sent.index > 0 ? std::max(startMs_, queue_[sent.index - 1].timeMs) : startMs_;
      break;
    }
  }
  heard_.clear();
  if (state_ != PortState::Closed) Silence();
}

void MidiOutputPort::Silence() {
  const auto now = clock_.Now();
  // The pedals first: a note-off under a held pedal would go on sounding.
  for (int channel = 0; channel < 16; ++channel) {
    for (std::size_t p = 0; p < kPedals.size(); ++p) {
      if (!pedalsHeld_[static_cast<std::size_t>(channel)].test(p)) continue;
      const std::uint8_t up[3] = {static_cast<std::uint8_t>(0xB0 | channel), kPedals[p], 0};
      (void)backend_.Send(up, now);
    }
    pedalsHeld_[static_cast<std::size_t>(channel)].reset();
  }
  for (int channel = 0; channel < 16; ++channel) {
    auto& notes = sounding_[static_cast<std::size_t>(channel)];
    if (notes.none()) continue;
    for (int key = 0; key < 128; ++key) {
      if (!notes.test(static_cast<std::size_t>(key))) continue;
      const std::uint8_t off[3] = {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0};
      (void)backend_.Send(off, now);
    }
    notes.reset();
  }
}

void MidiOutputPort::TrackSounding(const MidiMessage& m) {
  const int kind = m.status & 0xF0;
  if (kind == 0xB0) {
    const auto pedal = std::find(kPedals.begin(), kPedals.end(), m.data1);
    if (pedal != kPedals.end()) {
      pedalsHeld_[static_cast<std::size_t>(m.status & 0x0F)].set(static_cast<std::size_t>(pedal - kPedals.begin()),
                                                                 m.data2 > 0);
    }
    return;
  }
  auto& notes = sounding_[static_cast<std::size_t>(m.status & 0x0F)];
  if (kind == 0x90 && m.data2 > 0) notes.set(static_cast<std::size_t>(m.data1));
  if (kind == 0x80 || (kind == 0x90 && m.data2 == 0)) notes.reset(static_cast<std::size_t>(m.data1));
}

void MidiOutputPort::RaiseError(int code, std::string text) {
  auto channel = channel_;
  post_([channel, code, text = std::move(text)] {
    if (channel->alive && channel->handlers.error) channel->handlers.error(code, text);
  });
}

void MidiOutputPort::PostReplayNotification(std::function<void(const Notifications&)> call) {
  auto channel = channel_;
  const unsigned generation = channel->generation;
  post_([channel, generation, call = std::move(call)] {
    if (channel->alive && channel->generation == generation) call(channel->handlers);
  });
}

void MidiOutputPort::PostMessageSent(int tag) {
  PostReplayNotification([tag](const Notifications& n) {
    if (n.messageSent) n.messageSent(tag);
  });
}

void MidiOutputPort::Run() {
  (void)TuneTimingThread();
  std::unique_lock lock(mutex_);
  auto wait = [&](ReplayClock::Time target) {
    lock.unlock();
    clock_.WaitUntil(target);
    lock.lock();
  };
  while (!quit_) {
    if (state_ != PortState::Replaying) {
      wait(ReplayClock::kForever);
      continue;
    }
    // What has been heard by now is reported, in order.
    const auto soundDelay = backend_.SoundDelay();
    while (!heard_.empty() && clock_.Now() >= heard_.front().due + soundDelay) {
      PostMessageSent(heard_.front().tag);
      heard_.pop_front();
    }
    const auto nextHeard = heard_.empty() ? ReplayClock::kForever : heard_.front().due + soundDelay;
    if (cursor_ >= queue_.size()) {
      if (!heard_.empty()) {
        wait(nextHeard);
        continue;
      }
      state_ = PortState::Open;
      PostReplayNotification([](const Notifications& n) {
        if (n.replayEnded) n.replayEnded();
      });
      continue;
    }
    const MidiMessage m = queue_[cursor_];
    const auto due = timeline_.Due(m.timeMs);
    const auto sendAt = due - backend_.LookAhead();
    if (clock_.Now() < sendAt) {
      wait(std::min(sendAt, nextHeard));
      continue;
    }
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(m.status), static_cast<std::uint8_t>(m.data1),
                                   static_cast<std::uint8_t>(m.data2)};
    const bool send = m.status != kTagOnlyStatus;
    if (auto failure = send ? backend_.Send(std::span(bytes, MessageLength(m.status)), due) : std::nullopt) {
      // A device that refuses one message will refuse the next: end the
      // replay rather than report every message.
      state_ = PortState::Open;
      PostReplayNotification([failure = *failure](const Notifications& n) {
        if (n.error) n.error(failure.code, failure.text);
        if (n.replayEnded) n.replayEnded();
      });
      continue;
    }
    if (send) TrackSounding(m);
    resumeMs_ = m.timeMs;
    ++cursor_;
    if (heard_.empty() && sendAt == due && backend_.SoundDelay() <= ReplayClock::Time{0}) {
      PostMessageSent(m.tag);
    } else {
      heard_.push_back({due, m.tag, cursor_ - 1});
    }
  }
}

}  // namespace rp
