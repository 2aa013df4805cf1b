// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the MIDI output port needs of a device layer: the device list, open and
// close, and sending the bytes of one message. All calls come serialised from
// the port (Send from its timing thread, the rest from the UI thread).

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "midi/ReplayClock.h"

namespace rp {

// The codes of the port's error notification. 0, 7 and 8 are never used (the
// control panel does not show 0 and 8).
enum MidiErrorCode : int {
  kMidiNoOutput = 1,        // no MIDI system, or it offers no output port
  kMidiOpenFailed = 2,      // the device exists but could not be opened
  kMidiNoSuchDevice = 3,    // deviceIndex outside -1 .. DeviceCount - 1
  kMidiNotOpen = 4,         // start while the port is closed
  kMidiSendFailed = 5,      // the device refused a message; the replay ends
  kMidiInvalidMessage = 6,  // a message that is no channel message; not queued
  kMidiNoAudioOutput = 9,   // the built-in synthesizer found no sound server or card
  kMidiNoSoundFont = 10,    // the built-in synthesizer found no SoundFont to play with
};

struct MidiFailure {
  int code = 0;
  std::string text;  // shown to the user as it is
};

class MidiBackend {
 public:
  virtual ~MidiBackend() = default;
  virtual int DeviceCount() = 0;
  // index -1 is the default entry; 0 .. DeviceCount() - 1 the devices.
  virtual std::string DeviceName(int index) = 0;
  virtual std::optional<MidiFailure> Open(int index) = 0;
  virtual void Close() = 0;
  // due is the clock time the message was scheduled for (a synthesizer may
  // place the sound by it); the port calls Send at or just after due minus
  // LookAhead().
  virtual std::optional<MidiFailure> Send(std::span<const std::uint8_t> bytes, ReplayClock::Time due) = 0;
  // How long after its due time the message last sent is heard: nothing for
  // a MIDI port (the instrument behind it plays at once), the look-ahead and
  // output latency for a synthesizer that places messages in its stream.
  virtual ReplayClock::Time SoundDelay() { return ReplayClock::Time{0}; }
  // How long before its due time a message is to be sent: nothing for a
  // MIDI port, which plays what it gets at once; time for a synthesizer to
  // place it in its stream before that part of the stream is rendered.
  virtual ReplayClock::Time LookAhead() { return ReplayClock::Time{0}; }
  // On a stop: drops the messages sent ahead that are due after `now` and
  // releases every note. Nothing to do where nothing is sent ahead.
  virtual void DropUnheard(ReplayClock::Time /*now*/) {}
};

}  // namespace rp
