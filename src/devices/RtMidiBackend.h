// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI output ports of the machine through RtMidi: the ALSA sequencer, or
// a JACK server where one runs. Where neither is there (no /dev/snd/seq, as on
// build machines) the backend still works: it lists no device and opening
// fails with a clear text.
//
// Two RtMidi clients: one sends and is only touched by the port's serialised
// calls, the other only lists the ports, under a lock of its own, so that
// listing (the device list, the check that the open port is still there)
// never waits for a send and a send never waits for a listing. Every error
// and warning RtMidi reports while sending fails the send.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"

class RtMidiOut;

namespace rp {

class RtMidiBackend final : public MidiBackend {
 public:
  RtMidiBackend();  // never throws
  ~RtMidiBackend() override;

  int DeviceCount() override;
  std::string DeviceName(int index) override;
  std::optional<MidiFailure> Open(int index) override;
  void Close() override;
  // Whether the open port is still listed.
  bool DevicePresent() override;
  std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) override;

  // "ALSA", "JACK" or "" when no MIDI system is available.
  std::string ApiName() const { return apiName_; }

 private:
  std::vector<std::string> PortNames();  // listMutex_ held

  std::unique_ptr<RtMidiOut> out_;
  std::string apiName_;
  std::string lastError_;  // filled by RtMidi's error callback while sending or opening
  std::string sendName_;   // the open port's name, for the texts of failed sends

  std::mutex listMutex_;
  std::unique_ptr<RtMidiOut> lister_;
  std::string listerError_;
  std::string openName_;  // the open port's name, "" while closed
};

}  // namespace rp
