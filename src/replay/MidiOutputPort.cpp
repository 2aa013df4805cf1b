// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/MidiOutputPort.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "replay/TempoMapping.h"

namespace rp {

namespace {

// How often the watcher asks whether the device of a replay is still there.
constexpr std::chrono::milliseconds kDeviceCheckEvery(200);

constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kResetAllControllers = 121;
constexpr std::uint8_t kAllNotesOff = 123;

}  // namespace

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
  watch_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (watcher_.joinable()) watcher_.join();
}

void MidiOutputPort::SetNotifications(Notifications notifications) { channel_->handlers = std::move(notifications); }

// Listing goes to the backend without the lock: a listing that takes a while
// never holds up the timing thread.
int MidiOutputPort::DeviceCount() const { return backend_.DeviceCount(); }

int MidiOutputPort::DeviceIndex() const { return deviceIndex_; }

void MidiOutputPort::SetDeviceIndex(int index) { deviceIndex_ = index; }

std::string MidiOutputPort::DeviceName() const { return DeviceName(deviceIndex_); }

std::string MidiOutputPort::DeviceName(int index) const {
  if (index < 0 || index >= backend_.DeviceCount()) return {};
  return backend_.DeviceName(index);
}

PortState MidiOutputPort::State() const {
  std::lock_guard lock(mutex_);
  return state_;
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
  const int index = deviceIndex_;
  const int count = backend_.DeviceCount();
  const std::string name = index >= 0 && index < count ? backend_.DeviceName(index) : std::string();
  const bool inBackground = index >= 0 && index < count && backend_.OpenTakesTime(index);
  std::unique_lock lock(mutex_);
  if (state_ == PortState::Opening) {
    // The open under way goes on, to the device chosen now.
    requested_ = index;
    openName_ = name;
    cancelOpen_ = false;
    return;
  }
  if (state_ != PortState::Closed) {
    if (openDevice_ == index) return;
    CloseLocked();
  }
  if (index < 0 || index >= count) {
    // With no device at all the user learns that there is none, not that a
    // number is wrong.
    const MidiError code = count == 0 ? MidiError::NoOutput : MidiError::NoSuchOutput;
    RaiseError(code, MakeMidiFailure(code, std::to_string(index)).text);
    return;
  }
  openName_ = name;
  if (inBackground) {
    requested_ = index;
    cancelOpen_ = false;
    state_ = PortState::Opening;
    StartThreads();
    lock.unlock();
    clock_.Wake();
    return;
  }
  // A quick open on this thread; while the port is closed neither of its
  // threads touches the backend, so the lock need not be held.
  lock.unlock();
  auto failure = backend_.Open(index);
  lock.lock();
  if (failure) {
    RaiseError(failure->code, std::move(failure->text));
    return;
  }
  openDevice_ = index;
  state_ = PortState::Open;
}

void MidiOutputPort::OpenRequested(std::unique_lock<std::mutex>& lock) {
  const int index = requested_;
  lock.unlock();
  auto failure = backend_.Open(index);
  lock.lock();
  if (cancelOpen_ || quit_ || requested_ != index) {
    // Stopped, or another device chosen, while it opened.
    if (!failure) {
      lock.unlock();
      backend_.Close();
      lock.lock();
    }
    if (cancelOpen_ || quit_) {
      cancelOpen_ = false;
      state_ = PortState::Closed;
    }
    return;
  }
  if (failure) {
    state_ = PortState::Closed;
    RaiseError(failure->code, std::move(failure->text));
    return;
  }
  openDevice_ = index;
  state_ = PortState::Open;
  PostReplayNotification([](const Notifications& n) {
    if (n.opened) n.opened();
  });
}

void MidiOutputPort::Close() {
  Locked([this] { CloseLocked(); });
}

void MidiOutputPort::CloseResettingDevice() {
  Locked([this] {
    EndReplay();
    if (state_ == PortState::Open || state_ == PortState::Replaying) {
      for (std::uint8_t channel = 0; channel < 16; ++channel) {
        SendNow(kControlChange | channel, kAllNotesOff, 0);
        SendNow(kControlChange | channel, kResetAllControllers, 0);
      }
    }
    CloseLocked();
  });
}

void MidiOutputPort::CloseLocked() {
  EndReplay();
  if (state_ == PortState::Opening) {
    // The timing thread closes what it opens.
    cancelOpen_ = true;
    backend_.CancelOpen();
    return;
  }
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
    if (state_ == PortState::Closed || state_ == PortState::Opening) {
      RaiseError(MidiError::NotOpen, MakeMidiFailure(MidiError::NotOpen).text);
      return;
    }
    if (state_ == PortState::Replaying) return;
    startMs_ = resumeMs_;
    timeline_.Start(clock_.Now(), resumeMs_, TempoFactor(replaySpeed_));
    state_ = PortState::Replaying;
    StartThreads();
  });
  watch_.notify_all();
}

void MidiOutputPort::StartThreads() {
  if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
  if (!watcher_.joinable()) watcher_ = std::thread([this] { WatchDevice(); });
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
      const std::string what =
          "status " + std::to_string(m.status) + ", data " + std::to_string(m.data1) + ", " + std::to_string(m.data2);
      RaiseError(MidiError::InvalidMessage, MakeMidiFailure(MidiError::InvalidMessage, what).text);
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
  if (state_ == PortState::Open || state_ == PortState::Replaying) Silence();
}

void MidiOutputPort::Silence() {
  // The pedals first: a note-off under a held pedal would go on sounding.
  for (int channel = 0; channel < 16; ++channel) {
    for (std::size_t p = 0; p < kPedals.size(); ++p) {
      if (!pedalsHeld_[static_cast<std::size_t>(channel)].test(p)) continue;
      SendNow(static_cast<std::uint8_t>(0xB0 | channel), kPedals[p], 0);
    }
    pedalsHeld_[static_cast<std::size_t>(channel)].reset();
  }
  for (int channel = 0; channel < 16; ++channel) {
    auto& notes = sounding_[static_cast<std::size_t>(channel)];
    if (notes.none()) continue;
    for (int key = 0; key < 128; ++key) {
      if (!notes.test(static_cast<std::size_t>(key))) continue;
      SendNow(static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(key), 0);
    }
    notes.reset();
  }
}

void MidiOutputPort::SendNow(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
  const std::uint8_t bytes[3] = {status, data1, data2};
  (void)backend_.Send(bytes, clock_.Now());
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

void MidiOutputPort::RaiseError(MidiError code, std::string text) {
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
    if (state_ == PortState::Opening) {
      OpenRequested(lock);
      continue;
    }
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
      PostReplayNotification([](const Notifications& n) {
        if (n.replayEnded) n.replayEnded();
      });
      state_ = PortState::Open;
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
      FailReplay(std::move(*failure));
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

void MidiOutputPort::FailReplay(MidiFailure failure) {
  PostReplayNotification([failure = std::move(failure)](const Notifications& n) {
    if (n.error) n.error(failure.code, failure.text);
    if (n.replayEnded) n.replayEnded();
  });
  state_ = PortState::Open;
}

// JACK and the ALSA sequencer drop the connection to a port that went away
// without a word, so a send to it still succeeds: the device list tells.
void MidiOutputPort::WatchDevice() {
  std::unique_lock lock(mutex_);
  while (!quit_) {
    if (state_ != PortState::Replaying) {
      watch_.wait(lock, [this] { return quit_ || state_ == PortState::Replaying; });
      continue;
    }
    watch_.wait_for(lock, kDeviceCheckEvery, [this] { return quit_; });
    if (quit_ || state_ != PortState::Replaying) continue;
    const unsigned generation = channel_->generation;
    lock.unlock();
    const bool present = backend_.DevicePresent();
    lock.lock();
    if (present || state_ != PortState::Replaying || channel_->generation != generation) continue;
    FailReplay(MakeMidiFailure(MidiError::OutputGone, openName_));
    clock_.Wake();
  }
}

}  // namespace rp
