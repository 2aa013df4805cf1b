// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/PlayedNotes.h"

#include <algorithm>
#include <array>

namespace rp {

std::vector<PlayedNote> PlayedNotesOf(const Performance& performance) {
  std::vector<PlayedNote> played;
  // The notes sounding on each channel and key, oldest first.
  std::array<std::vector<std::size_t>, 16 * 128> open;
  double lastMs = 0.0;
  for (const NoteEvent& e : performance.notes) {
    lastMs = std::max(lastMs, e.timeMs);
    auto& sounding = open[(e.channel & 15u) * 128u + (e.noteKey & 127u)];
    if (e.isNoteOn) {
      sounding.push_back(played.size());
      played.push_back({e.timeMs, e.timeMs, e.noteKey, e.noteVelocity, e.channel});
    } else if (!sounding.empty()) {
      played[sounding.front()].offsetMs = std::max(e.timeMs, played[sounding.front()].onsetMs);
      sounding.erase(sounding.begin());
    }
  }
  for (const auto& sounding : open) {
    for (const std::size_t i : sounding) played[i].offsetMs = std::max(lastMs, played[i].onsetMs);
  }
  std::stable_sort(played.begin(), played.end(),
                   [](const PlayedNote& a, const PlayedNote& b) { return a.onsetMs < b.onsetMs; });
  return played;
}

}  // namespace rp
