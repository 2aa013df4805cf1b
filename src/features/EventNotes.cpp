// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/EventNotes.h"

#include <array>
#include <vector>

#include "model/Performance.h"

namespace rp {

namespace {

EventNotes ScoredEventNotes(const ScoreInfo& score) {
  EventNotes result;
  result.releases = true;
  result.notes.reserve(score.notes.size());
  result.first.assign(score.events.size() + 1, 0);
  for (const ScoredNote& n : score.notes) {
    result.notes.push_back({n.onsetMs, n.offsetMs, n.voice, n.key, n.velocity, n.arpeggio});
    result.voices = result.voices || n.voice > 0;
    ++result.first[static_cast<std::size_t>(n.event) + 1];
  }
  for (std::size_t k = 1; k < result.first.size(); ++k) result.first[k] += result.first[k - 1];
  return result;
}

// The note-ons of each cluster, in time order; a note-on belongs to the
// last event opened at or before it.
EventNotes ClusteredEventNotes(const Performance& performance) {
  EventNotes result;
  result.releases = true;
  const std::vector<NoteEvent>& notes = performance.notes;
  // The open note-ons of each channel and key, by their index in `result.notes`, oldest first.
  std::array<std::vector<std::size_t>, 16 * 128> sounding;
  result.first.reserve(performance.events.size() + 1);
  for (const NoteEvent& n : notes) {
    const std::size_t slot = static_cast<std::size_t>(n.channel & 15U) * 128 + (n.noteKey & 127U);
    if (n.isNoteOn) {
      if (n.opensEvent >= 0) result.first.push_back(result.notes.size());
      if (result.first.empty()) continue;  // before the first event: belongs to none
      sounding[slot].push_back(result.notes.size());
      result.notes.push_back({n.timeMs, n.timeMs, 0, n.noteKey, n.noteVelocity});
    } else if (!sounding[slot].empty()) {
      result.notes[sounding[slot].front()].offsetMs = n.timeMs;
      sounding[slot].erase(sounding[slot].begin());
    }
  }
  if (!result.first.empty()) result.first.push_back(result.notes.size());
  return result;
}

}  // namespace

EventNotes EventNotesOf(const Performance& performance) {
  if (performance.source == PerformanceSource::ScoreAligned && performance.score)
    return ScoredEventNotes(*performance.score);
  if (performance.source == PerformanceSource::Notes && performance.velocityKind == VelocityKind::Midi)
    return ClusteredEventNotes(performance);
  return {};
}

}  // namespace rp
