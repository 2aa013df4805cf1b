// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the played notes of one chord (the notes of a score position, or of
// an onset cluster) are spread in time, and how its melody note leads:
//
// - spread: the latest minus the earliest onset of its notes, ms;
// - melody lead: the mean onset of the other notes minus the melody note's
//   onset, ms, positive when the melody comes first;
// - velocity difference: the melody note's velocity minus the mean velocity
//   of the other notes, so the lead can be set beside it.
//
// The melody note is that of model/MelodyNote.h: the highest note of the
// melody voice, else the highest key. A chord of one note has none of the
// three (kUndefinedValue); an arpeggiated chord (a note of it marked so) no
// melody lead, since its spread is written.

#include <cstddef>
#include <span>

#include "features/EventNotes.h"
#include "model/UndefinedValue.h"

namespace rp {

struct ChordAsynchrony {
  std::size_t melody = 0;      // the index of the melody note in the chord
  bool melodyByVoice = false;  // the melody note is of the melody voice, not only the highest key
  double spreadMs = kUndefinedValue;
  double melodyLeadMs = kUndefinedValue;
  double velocityDifference = kUndefinedValue;
};

// The measures of `chord` (not empty).
ChordAsynchrony MeasureChord(std::span<const ChordNote> chord);

}  // namespace rp
