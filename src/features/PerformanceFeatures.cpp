// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/PerformanceFeatures.h"

#include <algorithm>
#include <span>

#include "features/ChordAsynchrony.h"
#include "features/EventNotes.h"
#include "features/KeyOverlap.h"
#include "model/Performance.h"

namespace rp {

namespace {

constexpr const char* kNoNotes =
    "the file has no played notes of its events (a list of times or a recording): no chords, voices or key releases";
constexpr const char* kNoVoices = "the file marks no melody voice";

// The lowest note of `chord` (not empty); the earliest of equal keys.
std::size_t LowestNote(std::span<const ChordNote> chord) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < chord.size(); ++i) {
    if (chord[i].key < chord[best].key || (chord[i].key == chord[best].key && chord[i].onsetMs < chord[best].onsetMs))
      best = i;
  }
  return best;
}

// Sets each listed event's overlap (the members `time` and `ratio`) from the
// line of the notes `line`, one per listed event.
void StoreOverlaps(std::vector<EventFeatures>& events, const std::vector<std::size_t>& lineEvents,
                   const std::vector<LineNote>& line, double EventFeatures::*time, double EventFeatures::*ratio) {
  const std::vector<KeyOverlap> overlaps = LineOverlaps(line);
  for (std::size_t i = 0; i < lineEvents.size(); ++i) {
    events[lineEvents[i]].*time = overlaps[i].timeMs;
    events[lineEvents[i]].*ratio = overlaps[i].ratio;
  }
}

}  // namespace

PerformanceFeatures FeaturesOf(const Performance& performance) {
  PerformanceFeatures result;
  const EventNotes notes = EventNotesOf(performance);
  const std::size_t count = notes.EventCount();
  result.voices = notes.voices;
  if (count == 0) {
    // Still one row per event, with nothing in it.
    result.events.resize(performance.events.size());
    result.melodyMissing = kNoNotes;
    result.spreadMissing = kNoNotes;
    return result;
  }
  if (!notes.voices) result.melodyMissing = kNoVoices;
  double endMs = 0.0;
  for (const ChordNote& n : notes.notes) endMs = std::max(endMs, n.offsetMs);
  result.sustain = PedalSpans(performance.controllers, kSustainPedal, endMs);
  result.soft = PedalSpans(performance.controllers, kSoftPedal, endMs);

  const std::vector<ScoreEvent>* score = performance.score ? &performance.score->events : nullptr;
  result.events.resize(count);
  std::vector<std::size_t> melodyEvents;
  std::vector<LineNote> melodyLine;
  std::vector<std::size_t> lowEvents;
  std::vector<LineNote> lowLine;
  for (std::size_t k = 0; k < count; ++k) {
    EventFeatures& e = result.events[k];
    if (score != nullptr && k < score->size()) {
      e.barBeat = (*score)[k].barBeat;
      e.scoreBeats = (*score)[k].onsetBeats;
    }
    const std::span<const ChordNote> chord = notes.Of(k);
    e.notes = static_cast<std::int32_t>(chord.size());
    if (chord.empty()) continue;
    const ChordAsynchrony a = MeasureChord(chord);
    const ChordNote& melody = chord[a.melody];
    e.melodyKey = melody.key;
    e.melodyByVoice = a.melodyByVoice;
    e.melodyOnsetMs = melody.onsetMs;
    e.melodyVelocity = melody.velocity;
    const bool hasMelody = a.melodyByVoice || !notes.voices;
    e.melodyLeadMs = hasMelody ? a.melodyLeadMs : kUndefinedValue;
    e.spreadMs = a.spreadMs;
    e.velocityDifference = hasMelody ? a.velocityDifference : kUndefinedValue;
    e.sustainFraction = FractionUnder(result.sustain, melody.onsetMs, melody.offsetMs);
    e.softFraction = FractionUnder(result.soft, melody.onsetMs, melody.offsetMs);
    if (hasMelody) {
      melodyEvents.push_back(k);
      melodyLine.push_back({melody.onsetMs, melody.offsetMs});
    }
    const ChordNote& low = chord[LowestNote(chord)];
    lowEvents.push_back(k);
    lowLine.push_back({low.onsetMs, low.offsetMs});
  }
  StoreOverlaps(result.events, melodyEvents, melodyLine, &EventFeatures::overlapMs, &EventFeatures::overlapRatio);
  StoreOverlaps(result.events, lowEvents, lowLine, &EventFeatures::lowOverlapMs, &EventFeatures::lowOverlapRatio);
  return result;
}

}  // namespace rp
