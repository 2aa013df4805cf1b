// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the MIDI output port needs of a device layer: the device list, open and
// close, and sending the bytes of one message. The port serialises Open,
// Close, Send and DropUnheard (Send from its timing thread, which also opens
// a device whose opening takes time); listing the devices and asking whether
// the open one is still there may come from any thread at any time, also
// while a message is sent, and never wait for a send.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "midi/MidiError.h"
#include "midi/ReplayClock.h"

namespace rp {

class MidiBackend {
 public:
  virtual ~MidiBackend() = default;
  virtual int DeviceCount() = 0;
  // The devices are numbered 0 .. DeviceCount() - 1, every one a real output.
  virtual std::string DeviceName(int index) = 0;
  virtual std::optional<MidiFailure> Open(int index) = 0;
  virtual void Close() = 0;
  // Whether opening device `index` can take long (a sound output that has to
  // start): the port then opens it off the user-interface thread.
  virtual bool OpenTakesTime(int /*index*/) { return false; }
  // Cuts short an Open running on another thread, which then fails or
  // returns soon; the port closes what it opened.
  virtual void CancelOpen() {}
  // False once the open device has left the system (a port whose program
  // ended, an instrument unplugged, a sound output that stopped); true while
  // it is there and while nothing is open.
  virtual bool DevicePresent() { return true; }
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
