// SPDX-License-Identifier: GPL-3.0-or-later
#include "take/TakeSession.h"

#include <cstdio>
#include <utility>

namespace rp {

TakeSession::TakeSession(MidiInput& input, PostToUi post, AnalysisSettings settings, Hooks hooks)
    : input_(input), post_(std::move(post)), hooks_(std::move(hooks)), live_(settings) {}

TakeSession::~TakeSession() {
  Stop();
  if (inbox_) inbox_->owner = nullptr;
}

std::optional<std::string> TakeSession::Start(int deviceIndex, const std::string& takePath, Clock::time_point now) {
  Stop();
  const auto names = input_.DeviceNames();
  const AnalysisSettings settings = live_.Take().settings;
  live_ = LiveRecording(settings);
  takeFileError_.clear();
  if (!take_.Open(takePath, now)) return take_.Error();
  if (inbox_) inbox_->owner = nullptr;  // tasks of an earlier take find nobody
  inbox_ = std::make_shared<Inbox>();
  inbox_->owner = this;
  // The handler runs on the MIDI thread: it only queues the message, and
  // posts one drain for as many messages as come before the drain runs.
  std::weak_ptr<Inbox> weak = inbox_;
  const PostToUi post = post_;
  auto failure = input_.Open(deviceIndex, [weak, post](std::span<const std::uint8_t> bytes, std::int64_t timeUs) {
    const auto inbox = weak.lock();
    if (!inbox) return;
    bool postNow = false;
    {
      std::lock_guard lock(inbox->mutex);
      inbox->messages.push_back({{bytes.begin(), bytes.end()}, timeUs});
      postNow = !std::exchange(inbox->drainPosted, true);
    }
    if (postNow) {
      post([inbox] {
        if (inbox->owner) inbox->owner->Drain(Clock::now());
      });
    }
  });
  if (failure) {
    // The file was made by this start and holds no note: it goes again.
    take_.Close();
    std::remove(takePath.c_str());
    inbox_->owner = nullptr;
    return failure->text;
  }
  deviceName_ = deviceIndex >= 0 && deviceIndex < static_cast<int>(names.size())
                    ? names[static_cast<std::size_t>(deviceIndex)]
                    : std::string();
  recording_ = true;
  started_ = now;
  return std::nullopt;
}

void TakeSession::Drain(Clock::time_point now) {
  std::vector<Message> messages;
  {
    std::lock_guard lock(inbox_->mutex);
    messages.swap(inbox_->messages);
    inbox_->drainPosted = false;
  }
  bool added = false;
  for (const Message& m : messages) {
    if (const auto note = live_.Add(m.bytes, m.timeUs)) {
      take_.Append(*note, now);
      added = true;
    }
  }
  if (added && hooks_.notesAdded) hooks_.notesAdded(live_);
}

void TakeSession::Tick(Clock::time_point now) {
  if (!recording_) return;
  Drain(now);
  take_.Tick(now);
  if (!input_.DevicePresent()) {
    const std::string name = deviceName_;
    Stop();
    if (hooks_.ended) {
      hooks_.ended("The MIDI input \"" + name + "\" is gone; the recording ended and keeps the " +
                   std::to_string(live_.Take().NoteCount()) + " notes played until then.");
    }
  }
}

void TakeSession::Stop() {
  if (!recording_) return;
  recording_ = false;
  input_.Close();  // no message comes after this
  Drain(Clock::now());
  inbox_->owner = nullptr;
  if (!take_.Close()) takeFileError_ = take_.Error();
}

double TakeSession::ElapsedMs(Clock::time_point now) const {
  if (!recording_) return live_.LastMessageMs();
  return std::chrono::duration<double, std::milli>(now - started_).count();
}

}  // namespace rp
