// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI output ports of the machine through RtMidi: the ALSA sequencer, or
// a JACK server where one runs. Where neither is there (no /dev/snd/seq, as on
// build machines) the backend still works: it lists no device and opening the
// default entry fails with a clear text.

#include <memory>
#include <string>

#include "midi/MidiBackend.h"

class RtMidiOut;

namespace rp {

class RtMidiBackend final : public MidiBackend {
 public:
  RtMidiBackend();  // never throws
  ~RtMidiBackend() override;

  int DeviceCount() override;
  // -1: the default entry, the first available output port.
  std::string DeviceName(int index) override;
  std::optional<MidiFailure> Open(int index) override;
  void Close() override;
  std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) override;

  // "ALSA", "JACK" or "" when no MIDI system is available.
  std::string ApiName() const { return apiName_; }

 private:
  std::unique_ptr<RtMidiOut> out_;
  std::string apiName_;
  std::string lastError_;  // filled by RtMidi's error callback
};

}  // namespace rp
