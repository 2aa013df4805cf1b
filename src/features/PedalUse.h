// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a pedal is used: the times it goes down and comes up, and how much of
// a note's sounding time lies under it. A pedal is down from a controller
// value of 64 on (the MIDI convention for on/off pedals) and up below it:
// controller 64 is the sustain pedal, 67 the soft pedal, from a MIDI file's
// controllers as from a match file's sustain(...) and soft(...) lines.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Performance.h"

namespace rp {

inline constexpr std::uint8_t kSustainPedal = 64;
inline constexpr std::uint8_t kSoftPedal = 67;
inline constexpr std::uint8_t kPedalDownValue = 64;

// One press of a pedal.
struct PedalSpan {
  double downMs = 0.0;
  double upMs = 0.0;  // `endMs` of PedalSpans when the pedal is still down at the end
};

// The presses of `controller` (on any channel) in `controllers` (in time
// order); a press still down at the end lasts until `endMs`.
std::vector<PedalSpan> PedalSpans(std::span<const ControllerEvent> controllers, std::uint8_t controller, double endMs);

// The fraction (0 to 1) of the time from `fromMs` to `toMs` that lies under
// the presses `spans` (in time order, not overlapping); kUndefinedValue when
// the time is empty.
double FractionUnder(std::span<const PedalSpan> spans, double fromMs, double toMs);

}  // namespace rp
