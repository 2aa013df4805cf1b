// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What recording needs of a MIDI input layer: the input device list, opening
// one device with a handler for its messages, and whether the opened device is
// still there. The handler runs on the MIDI system's own thread, never on the
// UI thread; it must hand its work on quickly.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "midi/MidiBackend.h"

namespace rp {

// One message as the MIDI system delivers it: its bytes, and when it was
// played, in microseconds on one clock of the system's own for as long as the
// device stays open (the time the system stamped it with, not when it
// reached the program). The clock's zero is the input's; only the
// differences between messages count.
using MidiInputHandler = std::function<void(std::span<const std::uint8_t> bytes, std::int64_t timeUs)>;

class MidiInput {
 public:
  virtual ~MidiInput() = default;
  virtual std::vector<std::string> DeviceNames() = 0;
  // Opens device `index` (0 .. DeviceNames().size() - 1) and delivers its
  // messages to `handler` until Close(). Another open device is closed first.
  virtual std::optional<MidiFailure> Open(int index, MidiInputHandler handler) = 0;
  // After Close() has returned the handler is not called any more.
  virtual void Close() = 0;
  // False once the opened device has gone from the system (unplugged, or its
  // program ended); true while it is there. Safe to ask often.
  virtual bool DevicePresent() = 0;
};

// What Open reports, the same for every MIDI system: the failure when
// `index` is none of the inputs `names` (nothing when it is one), and input
// `name` that could not be opened because of `why` (the system's own words,
// or empty).
std::optional<MidiFailure> MidiInputIndexFailure(const std::vector<std::string>& names, int index);
MidiFailure MidiInputOpenFailure(const std::string& name, const std::string& why);

}  // namespace rp
