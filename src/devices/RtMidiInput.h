// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI inputs of the machine through RtMidi, on the same MIDI system as
// the output ports (ALSA sequencer, or a JACK server). On the ALSA sequencer
// RtMidi stamps each message by the real-time clock of its sequencer queue,
// when the message was played, and hands on the differences; they are added
// up to the nanosecond, so the times are the queue's without drift. (Through
// JACK RtMidi stamps a message with the cycle that carries it, which
// JackMidiInput does better; see MakeMachineMidiInput.) System exclusive,
// timing and active sensing RtMidi leaves out itself.

#include <memory>
#include <mutex>
#include <string>

#include "midi/MidiInput.h"

class RtMidiIn;

namespace rp {

class RtMidiInput final : public MidiInput {
 public:
  RtMidiInput();  // never throws
  ~RtMidiInput() override;

  std::vector<std::string> DeviceNames() override;
  std::optional<MidiFailure> Open(int index, MidiInputHandler handler) override;
  void Close() override;
  bool DevicePresent() override;

  // "ALSA", "JACK" or "" when no MIDI system is available.
  std::string ApiName() const { return apiName_; }

 private:
  static void OnMessage(double deltaSeconds, std::vector<unsigned char>* message, void* self);

  std::unique_ptr<RtMidiIn> in_;
  std::string apiName_;
  std::string lastError_;  // filled by RtMidi's error callback
  std::string openName_;   // the opened device's name, "" while closed
  std::mutex handlerMutex_;
  MidiInputHandler handler_;
  std::int64_t sinceFirstNs_ = 0;  // the time of the newest message, from the first
};

}  // namespace rp
