// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI inputs of a running JACK server, read through JACK itself: each
// message is stamped with the frame it was played at (the first frame of the
// cycle that carries it plus its offset in that cycle), so a take's timing is
// the sequencer's or keyboard's to the frame, not the cycle's. Times go out in
// microseconds from the first message over the server's sample rate (see
// FrameTimeline). Only channel messages are passed on.
//
// JACK's real-time thread only copies the messages into a lock-free ring; a
// thread of the input's own turns them into times and calls the handler.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <thread>

#include "midi/MidiInput.h"

namespace rp {

class JackMidiInput final : public MidiInput {
 public:
  JackMidiInput();  // connects to a running server; lists nothing without one
  ~JackMidiInput() override;
  JackMidiInput(const JackMidiInput&) = delete;
  JackMidiInput& operator=(const JackMidiInput&) = delete;

  // Whether a server was reached.
  bool Connected() const;

  std::vector<std::string> DeviceNames() override;
  std::optional<MidiFailure> Open(int index, MidiInputHandler handler) override;
  void Close() override;
  bool DevicePresent() override;

 private:
  struct Jack;  // the client, its port and the ring, in JACK's types

  static int Process(std::uint32_t frames, void* self);
  static void ServerGone(void* self);
  void DeliverLoop();
  void DeliverQueued();

  std::unique_ptr<Jack> jack_;
  std::atomic<bool> serverGone_{false};
  std::atomic<bool> stopDelivery_{false};
  std::counting_semaphore<> queued_{0};  // released by the real-time thread after it queued messages
  std::thread delivery_;
  std::mutex handlerMutex_;
  MidiInputHandler handler_;
  std::string openName_;  // the opened device's name, "" while closed
};

}  // namespace rp
