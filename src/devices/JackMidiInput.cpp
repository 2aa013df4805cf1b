// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/JackMidiInput.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "devices/RtMidiSystem.h"
#include "midi/FrameTimeline.h"
#include "midi/JackServer.h"

namespace rp {

namespace {

// One channel message as the real-time thread queues it: the frame it was
// played at on the server's counter, and its bytes.
struct QueuedMessage {
  std::uint32_t frame = 0;
  std::uint8_t size = 0;
  std::uint8_t bytes[3] = {};
};

// Room for some 65,000 messages: far more than a keyboard plays while the
// delivery thread waits for its turn.
constexpr std::size_t kRingBytes = sizeof(QueuedMessage) << 16;

bool IsChannelMessage(const jack_midi_event_t& event) {
  return event.size >= 1 && event.size <= 3 && event.buffer[0] >= 0x80 && event.buffer[0] < 0xF0;
}

}  // namespace

struct JackMidiInput::Jack {
  jack_client_t* client = nullptr;
  jack_port_t* port = nullptr;  // registered at the first Open
  jack_ringbuffer_t* ring = nullptr;
  bool active = false;                    // in the server's graph, while a device is open
  std::optional<FrameTimeline> timeline;  // the delivery thread's, from one Open to the next
};

JackMidiInput::JackMidiInput() : jack_(std::make_unique<Jack>()) {
  // Without a server the client library would complain on stderr.
  if (!JackServerSocketPresent()) return;
  jack_status_t status{};
  jack_->client = jack_client_open(kRtMidiClientName, JackNoStartServer, &status);
  if (jack_->client == nullptr) return;
  jack_->ring = jack_ringbuffer_create(kRingBytes);
  if (jack_->ring == nullptr) {
    jack_client_close(jack_->client);
    jack_->client = nullptr;
    return;
  }
  jack_ringbuffer_mlock(jack_->ring);
  jack_set_process_callback(jack_->client, &JackMidiInput::Process, this);
  jack_on_shutdown(jack_->client, &JackMidiInput::ServerGone, this);
}

JackMidiInput::~JackMidiInput() {
  Close();
  if (jack_->client != nullptr) jack_client_close(jack_->client);
  if (jack_->ring != nullptr) jack_ringbuffer_free(jack_->ring);
}

bool JackMidiInput::Connected() const { return jack_->client != nullptr; }

std::vector<std::string> JackMidiInput::DeviceNames() {
  std::vector<std::string> names;
  if (jack_->client == nullptr || serverGone_.load()) return names;
  // The other programs' MIDI outputs are the inputs here.
  const char** ports = jack_get_ports(jack_->client, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
  if (ports == nullptr) return names;
  for (const char** p = ports; *p != nullptr; ++p) names.emplace_back(*p);
  jack_free(static_cast<void*>(ports));
  return names;
}

std::optional<MidiFailure> JackMidiInput::Open(int index, MidiInputHandler handler) {
  Close();
  const auto names = DeviceNames();
  if (auto failure = MidiInputIndexFailure(names, index)) return failure;
  const std::string& name = names[static_cast<std::size_t>(index)];
  Jack& jack = *jack_;
  if (jack.port == nullptr) {
    jack.port = jack_port_register(jack.client, "input", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (jack.port == nullptr) return MidiInputOpenFailure(name, "the JACK server refused the program's input port");
  }
  // Nothing else touches the ring while the client is out of the graph and
  // no delivery thread runs.
  jack_ringbuffer_reset(jack.ring);
  jack.timeline.emplace(jack_get_sample_rate(jack.client));
  {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(handler);
  }
  stopDelivery_.store(false);
  delivery_ = std::thread(&JackMidiInput::DeliverLoop, this);
  if (jack_activate(jack.client) != 0) {
    Close();
    return MidiInputOpenFailure(name, "the JACK server did not take the program into its cycle");
  }
  jack.active = true;
  const int connected = jack_connect(jack.client, name.c_str(), jack_port_name(jack.port));
  if (connected != 0 && connected != EEXIST) {
    Close();
    return MidiInputOpenFailure(name, "the JACK server did not connect it to the program");
  }
  openName_ = name;
  return std::nullopt;
}

void JackMidiInput::Close() {
  Jack& jack = *jack_;
  // Out of the graph, the real-time thread queues nothing more (and the
  // port is disconnected); what it queued before is still delivered.
  if (jack.active) {
    if (!serverGone_.load()) jack_deactivate(jack.client);
    jack.active = false;
  }
  if (delivery_.joinable()) {
    stopDelivery_.store(true);
    queued_.release();
    delivery_.join();
  }
  std::lock_guard lock(handlerMutex_);
  handler_ = nullptr;
  openName_.clear();
}

bool JackMidiInput::DevicePresent() {
  if (openName_.empty() || serverGone_.load()) return false;
  // Gone with its program, or disconnected by someone else: either way no
  // more notes come from it.
  return jack_port_connected_to(jack_->port, openName_.c_str()) != 0;
}

int JackMidiInput::Process(std::uint32_t frames, void* self) {
  auto* input = static_cast<JackMidiInput*>(self);
  Jack& jack = *input->jack_;
  void* buffer = jack_port_get_buffer(jack.port, frames);
  if (buffer == nullptr) return 0;
  const jack_nframes_t cycleStart = jack_last_frame_time(jack.client);
  const std::uint32_t count = jack_midi_get_event_count(buffer);
  bool queued = false;
  for (std::uint32_t i = 0; i < count; ++i) {
    jack_midi_event_t event{};
    if (jack_midi_event_get(&event, buffer, i) != 0 || !IsChannelMessage(event)) continue;
    QueuedMessage message;
    message.frame = cycleStart + event.time;
    message.size = static_cast<std::uint8_t>(event.size);
    std::memcpy(message.bytes, event.buffer, event.size);
    if (jack_ringbuffer_write_space(jack.ring) < sizeof message) break;
    jack_ringbuffer_write(jack.ring, reinterpret_cast<const char*>(&message), sizeof message);
    queued = true;
  }
  if (queued) input->queued_.release();
  return 0;
}

void JackMidiInput::ServerGone(void* self) { static_cast<JackMidiInput*>(self)->serverGone_.store(true); }

void JackMidiInput::DeliverLoop() {
  for (;;) {
    queued_.acquire();
    const bool last = stopDelivery_.load();
    DeliverQueued();
    if (last) return;
  }
}

void JackMidiInput::DeliverQueued() {
  Jack& jack = *jack_;
  QueuedMessage message;
  while (jack_ringbuffer_read_space(jack.ring) >= sizeof message) {
    jack_ringbuffer_read(jack.ring, reinterpret_cast<char*>(&message), sizeof message);
    const std::int64_t timeUs = jack.timeline->Microseconds(message.frame);
    std::lock_guard lock(handlerMutex_);
    if (handler_) handler_(std::span<const std::uint8_t>(message.bytes, message.size), timeUs);
  }
}

}  // namespace rp
