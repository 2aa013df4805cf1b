// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/RtMidiBackend.h"

#include "devices/RtMidiSystem.h"

namespace rp {

namespace {

constexpr const char* kNoOutputText =
    "No MIDI output is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was "
    "found, or they offer no output port.";

}  // namespace

RtMidiBackend::RtMidiBackend() { out_ = MakeRtMidiOnThisMachine<RtMidiOut>(&lastError_, apiName_); }

RtMidiBackend::~RtMidiBackend() = default;

int RtMidiBackend::DeviceCount() {
  if (!out_) return 0;
  try {
    return static_cast<int>(out_->getPortCount());
  } catch (const std::exception&) {
    return 0;
  }
}

std::string RtMidiBackend::DeviceName(int index) {
  if (index == -1) {
    if (DeviceCount() == 0) return "Default MIDI output (none available)";
    return "Default MIDI output (" + DeviceName(0) + ")";
  }
  if (!out_ || index < 0 || index >= DeviceCount()) return {};
  try {
    return out_->getPortName(static_cast<unsigned>(index));
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<MidiFailure> RtMidiBackend::Open(int index) {
  const int count = DeviceCount();
  if (count == 0) return MidiFailure{kMidiNoOutput, kNoOutputText};
  const int port = index == -1 ? 0 : index;
  if (port < 0 || port >= count) {
    return MidiFailure{kMidiNoSuchDevice, "There is no MIDI output device number " + std::to_string(index) + "."};
  }
  const std::string name = DeviceName(port);
  lastError_.clear();
  try {
    out_->closePort();
    out_->openPort(static_cast<unsigned>(port), kRtMidiClientName);
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty() || !out_->isPortOpen()) {
    std::string text = "The MIDI output \"" + name + "\" could not be opened";
    if (!lastError_.empty()) text += ": " + lastError_;
    return MidiFailure{kMidiOpenFailed, text + "."};
  }
  return std::nullopt;
}

void RtMidiBackend::Close() {
  if (!out_) return;
  try {
    out_->closePort();
  } catch (const std::exception&) {
    // Closing cannot fail in any way the user could act on.
  }
}

std::optional<MidiFailure> RtMidiBackend::Send(std::span<const std::uint8_t> bytes, ReplayClock::Time) {
  if (!out_ || !out_->isPortOpen()) return MidiFailure{kMidiNotOpen, "The MIDI output is not open."};
  lastError_.clear();
  try {
    out_->sendMessage(bytes.data(), bytes.size());
  } catch (const std::exception& e) {
    lastError_ = e.what();
  }
  if (!lastError_.empty()) {
    return MidiFailure{kMidiSendFailed, "Sending to the MIDI output failed: " + lastError_};
  }
  return std::nullopt;
}

}  // namespace rp
