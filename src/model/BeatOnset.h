// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a beat is heard in an aligned performance: the one rule for the time
// of a score position from the played notes the score puts on it.
//
// The median onset of those notes (of an even number the mean of the middle
// two), grace notes among them, as an ornament played on the beat starts it.
// A chord the score marks to be rolled counts once, by its earliest played
// note: the roll starts on the beat, and the notes it brings after that are
// the roll, not the beat. A chord the pianist spreads unasked counts with
// all its notes, so a note played early or late moves the beat little.

#include <cstdint>
#include <span>

namespace rp {

inline constexpr std::int32_t kNotRolled = -1;

// One played note of a score position.
struct BeatNote {
  double onsetMs = 0.0;
  // The rolled chord it belongs to (a number its other notes share), or
  // kNotRolled.
  std::int32_t roll = kNotRolled;
};

// The beat's time by the rule above; `notes` not empty.
double BeatOnsetMs(std::span<const BeatNote> notes);

}  // namespace rp
