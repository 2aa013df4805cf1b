#include "platform/midi/RtMidiBackend.h"

#include <RtMidi.h>
#include <unistd.h>

#include "platform/midi/JackServer.h"

namespace rp {

namespace {

constexpr const char* kClientName = "returnplot";
constexpr const char* kNoOutputText =
    "No MIDI output is available: no ALSA sequencer (/dev/snd/seq) and no JACK server was "
    "found, or they offer no output port.";

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

void KeepError(RtMidiError::Type type, const std::string& text, void* user) {
  if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) return;
  *static_cast<std::string*>(user) = text;
}

// An output of the given API with its errors routed to *lastError, or nothing
// when the API cannot start.
std::unique_ptr<RtMidiOut> MakeOutput(RtMidi::Api api, std::string* lastError) {
  try {
    auto out = std::make_unique<RtMidiOut>(api, kClientName);
    if (out->getCurrentApi() != api) return nullptr;
    out->setErrorCallback(&KeepError, lastError);
    return out;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

RtMidiBackend::RtMidiBackend() {
  // ALSA first: its constructor throws without the sequencer device, so it is
  // not even tried then.
  if (Exists("/dev/snd/seq")) {
    out_ = MakeOutput(RtMidi::LINUX_ALSA, &lastError_);
    if (out_) apiName_ = "ALSA";
  }
  // JACK only when a server is confirmed: its socket is there and the client
  // connected (only a connected client lists ports). Preferred over an ALSA
  // sequencer without any output port.
  if ((!out_ || out_->getPortCount() == 0) && JackServerSocketPresent()) {
    auto jack = MakeOutput(RtMidi::UNIX_JACK, &lastError_);
    if (jack && jack->getPortCount() > 0) {
      out_ = std::move(jack);
      apiName_ = "JACK";
    }
  }
}

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
    return MidiFailure{kMidiNoSuchDevice,
                       "There is no MIDI output device number " + std::to_string(index) + "."};
  }
  const std::string name = DeviceName(port);
  lastError_.clear();
  try {
    out_->closePort();
    out_->openPort(static_cast<unsigned>(port), kClientName);
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

std::optional<MidiFailure> RtMidiBackend::Send(std::span<const std::uint8_t> bytes,
                                               ReplayClock::Time) {
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
