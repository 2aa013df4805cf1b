// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RtMidiBackend.h"

#include <algorithm>

#include "devices/RtMidiSystem.h"
#include "midi/JackServer.h"

namespace rp {

RtMidiBackend::RtMidiBackend() {
  out_ = MakeRtMidiOnThisMachine<RtMidiOut>(&lastError_, apiName_, &KeepRtMidiErrorOrWarning);
  if (out_) lister_ = MakeRtMidi<RtMidiOut>(out_->getCurrentApi(), &listerError_);
}

RtMidiBackend::~RtMidiBackend() = default;

std::vector<std::string> RtMidiBackend::PortNames() {
  std::vector<std::string> names;
  if (!lister_) return names;
  // A JACK server that went away lists nothing (its client library would
  // still list the ports it knew, and RtMidi may crash asking).
  if (lister_->getCurrentApi() == RtMidi::UNIX_JACK && !JackServerAnswers()) return names;
  try {
    const unsigned count = lister_->getPortCount();
    for (unsigned i = 0; i < count; ++i) names.push_back(lister_->getPortName(i));
  } catch (const std::exception&) {
    // A system that fails to answer lists what it gave so far.
  }
  return names;
}

int RtMidiBackend::DeviceCount() {
  std::lock_guard lock(listMutex_);
  return static_cast<int>(PortNames().size());
}

std::string RtMidiBackend::DeviceName(int index) {
  std::lock_guard lock(listMutex_);
  const std::vector<std::string> names = PortNames();
  if (index < 0 || index >= static_cast<int>(names.size())) return {};
  return names[static_cast<std::size_t>(index)];
}

std::optional<MidiFailure> RtMidiBackend::Open(int index) {
  const int count = DeviceCount();
  if (count == 0 || !out_) return MakeMidiFailure(MidiError::NoOutput);
  if (index < 0 || index >= count) return MakeMidiFailure(MidiError::NoSuchOutput, std::to_string(index));
  const std::string name = DeviceName(index);
  lastError_.clear();
  try {
    out_->closePort();
    out_->openPort(static_cast<unsigned>(index), kRtMidiClientName);
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty() || !out_->isPortOpen()) return MakeMidiFailure(MidiError::OutputOpenFailed, name, lastError_);
  sendName_ = name;
  std::lock_guard lock(listMutex_);
  openName_ = name;
  return std::nullopt;
}

void RtMidiBackend::Close() {
  if (!out_) return;
  {
    std::lock_guard lock(listMutex_);
    openName_.clear();
  }
  try {
    out_->closePort();
  } catch (const std::exception&) {
    // Closing cannot fail in any way the user could act on.
  }
}

bool RtMidiBackend::DevicePresent() {
  std::lock_guard lock(listMutex_);
  if (openName_.empty()) return true;
  const std::vector<std::string> names = PortNames();
  return std::find(names.begin(), names.end(), openName_) != names.end();
}

std::optional<MidiFailure> RtMidiBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time) {
  if (!out_ || !out_->isPortOpen()) return MakeMidiFailure(MidiError::NotOpen);
  lastError_.clear();
  try {
    out_->sendMessage(bytes.data(), bytes.size());
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty()) return MakeMidiFailure(MidiError::SendFailed, sendName_, lastError_);
  return std::nullopt;
}

}  // namespace rp
