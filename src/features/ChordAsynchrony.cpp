// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/ChordAsynchrony.h"

#include <algorithm>
#include <vector>

#include "model/MelodyNote.h"

namespace rp {

ChordAsynchrony MeasureChord(std::span<const ChordNote> chord) {
  ChordAsynchrony result;
  std::vector<PositionNote> position;
  position.reserve(chord.size());
  for (const ChordNote& n : chord) position.push_back({n.key, n.voice, n.onsetMs});
  result.melody = MelodyNote(position);
  result.melodyByVoice = chord[result.melody].voice == kMelodyVoice;
  if (chord.size() < 2) return result;
  double earliest = chord.front().onsetMs;
  double latest = earliest;
  double otherOnsets = 0.0;
  double otherVelocities = 0.0;
  bool arpeggio = false;
  for (std::size_t i = 0; i < chord.size(); ++i) {
    earliest = std::min(earliest, chord[i].onsetMs);
    latest = std::max(latest, chord[i].onsetMs);
    arpeggio = arpeggio || chord[i].arpeggio;
    if (i == result.melody) continue;
    otherOnsets += chord[i].onsetMs;
    otherVelocities += chord[i].velocity;
  }
  const auto others = static_cast<double>(chord.size() - 1);
  const ChordNote& melody = chord[result.melody];
  result.spreadMs = latest - earliest;
  if (!arpeggio) result.melodyLeadMs = otherOnsets / others - melody.onsetMs;
  result.velocityDifference = static_cast<double>(melody.velocity) - otherVelocities / others;
  return result;
}

}  // namespace rp
