// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/BeatOnset.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace rp {

double BeatOnsetMs(std::span<const BeatNote> notes) {
  std::vector<double> onsets;
  onsets.reserve(notes.size());
  for (std::size_t i = 0; i < notes.size(); ++i) {
    const BeatNote& note = notes[i];
    if (note.roll == kNotRolled) {
      onsets.push_back(note.onsetMs);
      continue;
    }
    // A roll counts once, at its first note in the list, with its earliest onset.
    const auto sameRoll = [&note](const BeatNote& other) { return other.roll == note.roll; };
    if (std::find_if(notes.begin(), notes.begin() + static_cast<std::ptrdiff_t>(i), sameRoll) !=
        notes.begin() + static_cast<std::ptrdiff_t>(i))
      continue;
    double earliest = note.onsetMs;
    for (std::size_t k = i + 1; k < notes.size(); ++k) {
      if (notes[k].roll == note.roll) earliest = std::min(earliest, notes[k].onsetMs);
    }
    onsets.push_back(earliest);
  }
  std::sort(onsets.begin(), onsets.end());
  return (onsets[(onsets.size() - 1) / 2] + onsets[onsets.size() / 2]) / 2;
}

}  // namespace rp
