// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The melody note of a score position: the one rule for "which played note
// of a chord carries the melody", shared by the onset of a score position,
// its velocity, and what measures melody lead or key overlap.
//
// The melody is the voice the score marks as such: voice 1 (a match file's
// score note gives its voice as the first attribute, "1" in the Vienna 4x22
// files, "v1" in the current form). A position with notes of voice 1 takes
// the highest of them; a position without any (only inner or lower voices
// start there, or the file gives no voices, as the files that give only
// "staff1" and "staff2") takes its highest key. Of equal keys the earliest
// onset wins, then the earlier note in the list.

#include <cstddef>
#include <cstdint>
#include <span>

namespace rp {

// The voice that carries the melody.
inline constexpr int kMelodyVoice = 1;

// One played note of a score position.
struct PositionNote {
  std::uint8_t key = 0;
  int voice = 0;  // from 1; 0 when the score gives none
  double onsetMs = 0.0;
};

// The index in `notes` (not empty) of the note of the highest key.
std::size_t HighestNote(std::span<const PositionNote> notes);

// The index in `notes` (not empty) of the melody note by the rule above.
std::size_t MelodyNote(std::span<const PositionNote> notes);

}  // namespace rp
