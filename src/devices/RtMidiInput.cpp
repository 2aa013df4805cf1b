// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RtMidiInput.h"

#include <algorithm>
#include <cmath>

#include "devices/RtMidiSystem.h"

namespace rp {

RtMidiInput::RtMidiInput() { in_ = MakeRtMidiOnThisMachine<RtMidiIn>(&lastError_, apiName_); }

RtMidiInput::~RtMidiInput() { Close(); }

std::vector<std::string> RtMidiInput::DeviceNames() {
  std::vector<std::string> names;
  if (!in_) return names;
  try {
    const unsigned count = in_->getPortCount();
    for (unsigned i = 0; i < count; ++i) names.push_back(in_->getPortName(i));
  } catch (const std::exception&) {
    // A system that fails to answer lists what it gave so far.
  }
  return names;
}

std::optional<MidiFailure> RtMidiInput::Open(int index, MidiInputHandler handler) {
  Close();
  const auto names = DeviceNames();
  if (auto failure = MidiInputIndexFailure(names, index)) return failure;
  {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(handler);
    sinceFirstNs_ = 0;
  }
  lastError_.clear();
  try {
    in_->setCallback(&RtMidiInput::OnMessage, this);
    in_->openPort(static_cast<unsigned>(index), "input");
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty() || !in_->isPortOpen()) {
    const std::string why = lastError_;
    Close();
    return MidiInputOpenFailure(names[static_cast<std::size_t>(index)], why);
  }
  openName_ = names[static_cast<std::size_t>(index)];
  return std::nullopt;
}

void RtMidiInput::Close() {
  if (in_) {
    try {
      in_->closePort();
      in_->cancelCallback();
    } catch (const std::exception&) {
      // Closing cannot fail in any way the user could act on.
    }
  }
  // RtMidi has stopped calling back once the port is closed; the lock waits
  // for a call that was already running.
  std::lock_guard lock(handlerMutex_);
  handler_ = nullptr;
  openName_.clear();
}

bool RtMidiInput::DevicePresent() {
  if (openName_.empty()) return false;
  const auto names = DeviceNames();
  return std::find(names.begin(), names.end(), openName_) != names.end();
}

void RtMidiInput::OnMessage(double deltaSeconds, std::vector<unsigned char>* message, void* self) {
  auto* input = static_cast<RtMidiInput*>(self);
  if (message == nullptr || message->empty()) return;
  std::lock_guard lock(input->handlerMutex_);
  // RtMidi's first message has no difference; the queue's clock has whole
  // nanoseconds, which the seconds hold exactly enough to round back to.
  if (std::isfinite(deltaSeconds) && deltaSeconds > 0) input->sinceFirstNs_ += std::llround(deltaSeconds * 1e9);
  const std::int64_t timeUs = (input->sinceFirstNs_ + 500) / 1000;
  if (input->handler_) input->handler_(std::span<const std::uint8_t>(message->data(), message->size()), timeUs);
}

}  // namespace rp
