// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RtMidiInput.h"

#include <algorithm>

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
  if (names.empty()) {
    return MidiFailure{kMidiNoOutput,
                       "No MIDI input is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was "
                       "found, or they offer no input."};
  }
  if (index < 0 || index >= static_cast<int>(names.size())) {
    return MidiFailure{kMidiNoSuchDevice, "There is no MIDI input device number " + std::to_string(index) + "."};
  }
  {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(handler);
  }
  lastError_.clear();
  try {
    in_->setCallback(&RtMidiInput::OnMessage, this);
    in_->openPort(static_cast<unsigned>(index), "input");
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty() || !in_->isPortOpen()) {
    std::string text = "The MIDI input \"" + names[static_cast<std::size_t>(index)] + "\" could not be opened";
    if (!lastError_.empty()) text += ": " + lastError_;
    Close();
    return MidiFailure{kMidiOpenFailed, text + "."};
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
  if (input->handler_) input->handler_(std::span<const std::uint8_t>(message->data(), message->size()), deltaSeconds);
}

}  // namespace rp
