// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One time-stamped MIDI message of a replay, as the output port queues it
// and the offline render plays it.

#include <cstddef>

namespace rp {

// The status of a message that sends nothing: only its tag comes back, at
// its time, as if it had been sent.
inline constexpr int kTagOnlyStatus = 0;

struct MidiMessage {
  int tag = 0;
  double timeMs = 0;  // after the start of the replay, at the recorded tempo
  int status = 0;     // 144 note-on, 128 note-off (channel 1), another channel message, or kTagOnlyStatus
  int data1 = 0;
  int data2 = 0;
};

// The bytes a channel message of this status takes: two for program change
// and channel pressure, three for the others.
std::size_t MessageLength(int status);

}  // namespace rp
