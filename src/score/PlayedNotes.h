// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A performance's notes as whole notes, each with its onset and its end: what
// the alignment matches to the score and the match file writes.

#include <cstdint>
#include <vector>

#include "model/Performance.h"

namespace rp {

struct PlayedNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;
  std::uint8_t key = 0;
  std::uint8_t velocity = 0;
  std::uint8_t channel = 0;
};

// Every note-on of `performance` paired with the first note-off of its key and
// channel after it (a note never ended ends at the last event), in onset order.
std::vector<PlayedNote> PlayedNotesOf(const Performance& performance);

}  // namespace rp
