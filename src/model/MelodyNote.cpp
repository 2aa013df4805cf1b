// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/MelodyNote.h"

namespace rp {

namespace {

// The highest of the notes that `counts` accepts; `notes.size()` when none.
template <class Counts>
std::size_t HighestWhere(std::span<const PositionNote> notes, Counts counts) {
  std::size_t best = notes.size();
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (!counts(notes[i])) continue;
    if (best == notes.size() || notes[i].key > notes[best].key ||
        (notes[i].key == notes[best].key && notes[i].onsetMs < notes[best].onsetMs)) {
      best = i;
    }
  }
  return best;
}

}  // namespace

std::size_t HighestNote(std::span<const PositionNote> notes) {
  return HighestWhere(notes, [](const PositionNote&) { return true; });
}

std::size_t MelodyNote(std::span<const PositionNote> notes) {
  const std::size_t melody = HighestWhere(notes, [](const PositionNote& n) { return n.voice == kMelodyVoice; });
  return melody < notes.size() ? melody : HighestNote(notes);
}

}  // namespace rp
