// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How legato a line is played: for successive notes n and n+1 of a line
// (the melody, or the lowest notes),
//
// - key overlap time: the release of note n minus the onset of note n+1,
//   ms; positive when the keys overlap (legato), negative when a gap lies
//   between them (detached);
// - key overlap ratio: the overlap time over the inter-onset interval of the
//   two notes (onset of n+1 minus onset of n); undefined when the two
//   onsets coincide.
//
// The last note of a line has neither.

#include <span>
#include <vector>

#include "model/UndefinedValue.h"

namespace rp {

// One note of a line; a position that has no note in the line is left out
// before the overlaps are taken.
struct LineNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;
};

struct KeyOverlap {
  double timeMs = kUndefinedValue;
  double ratio = kUndefinedValue;
};

// The overlap of each note of `line` (in time order) with the next one.
std::vector<KeyOverlap> LineOverlaps(std::span<const LineNote> line);

}  // namespace rp
