// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ScoreAlignedEvents.h"

#include <algorithm>

#include "model/MelodyNote.h"
#include "model/ScoreInfo.h"

namespace rp {

namespace {

// A matched note that takes part in an event.
struct EventNote {
  const MatchPair* pair = nullptr;
  std::size_t note = 0;  // its index in `ScoreAlignedEvents::notes`
};

std::string BarBeat(const MatchScoreNote& score) {
  if (score.beatOffset.empty() || score.beatOffset == "0") return score.barBeat;
  return score.barBeat + "+" + score.beatOffset;
}

}  // namespace

ScoreAlignedEvents MakeScoreAlignedEvents(const MatchFile& file) {
  ScoreAlignedEvents result;
  // Matched and inserted notes back in the order of their lines.
  std::vector<EventNote> candidates;
  candidates.reserve(file.matched.size());
  result.notes.reserve(file.matched.size() + file.insertions.size());
  auto inserted = file.insertions.begin();
  for (const MatchPair& pair : file.matched) {
    while (inserted != file.insertions.end() && inserted->line < pair.played.line) result.notes.push_back(*inserted++);
    if (!pair.score.grace) candidates.push_back({&pair, result.notes.size()});
    result.notes.push_back(pair.played);
  }
  result.notes.insert(result.notes.end(), inserted, file.insertions.end());

  std::stable_sort(candidates.begin(), candidates.end(), [](const EventNote& a, const EventNote& b) {
    return a.pair->score.onsetInBeats < b.pair->score.onsetInBeats;
  });
  result.eventNotes.reserve(candidates.size());
  std::vector<PositionNote> chord;
  for (std::size_t first = 0; first < candidates.size();) {
    const double position = candidates[first].pair->score.onsetInBeats;
    std::size_t end = first;
    const EventNote* earliest = &candidates[first];
    double latestMs = earliest->pair->played.onsetMs;
    double sumMs = 0.0;
    double sumVelocity = 0.0;
    chord.clear();
    for (; end < candidates.size() && candidates[end].pair->score.onsetInBeats - position <= kSamePositionBeats;
         ++end) {
      const MatchPair& pair = *candidates[end].pair;
      const MatchPlayedNote& played = pair.played;
      const MatchPlayedNote& best = earliest->pair->played;
      if (played.onsetMs < best.onsetMs || (played.onsetMs == best.onsetMs && played.line < best.line)) {
        earliest = &candidates[end];
      }
      latestMs = std::max(latestMs, played.onsetMs);
      sumMs += played.onsetMs;
      sumVelocity += played.velocity;
      chord.push_back({played.key, pair.score.voice, played.onsetMs});
      result.eventNotes.push_back({played.onsetMs, played.offsetMs, static_cast<std::int32_t>(result.events.size()),
                                   pair.score.voice, played.key, played.velocity, pair.score.arpeggio});
    }
    const auto onsetOf = [&](std::size_t i) {
      const MatchPlayedNote& played = candidates[first + i].pair->played;
      return PositionOnset{played.onsetMs, static_cast<double>(played.velocity)};
    };
    const auto count = static_cast<double>(end - first);
    ScoreAlignedEvent event;
    event.onsetBeats = position;
    event.barBeat = BarBeat(earliest->pair->score);
    event.asynchronyMs = latestMs - earliest->pair->played.onsetMs;
    event.firstNote = earliest->note;
    event.onsetBy[static_cast<std::size_t>(ScoreOnset::Earliest)] =
        onsetOf(static_cast<std::size_t>(earliest - &candidates[first]));
    event.onsetBy[static_cast<std::size_t>(ScoreOnset::Mean)] = {sumMs / count, sumVelocity / count};
    event.onsetBy[static_cast<std::size_t>(ScoreOnset::Melody)] = onsetOf(MelodyNote(chord));
    event.onsetBy[static_cast<std::size_t>(ScoreOnset::Highest)] = onsetOf(HighestNote(chord));
    result.events.push_back(std::move(event));
    first = end;
  }
  return result;
}

}  // namespace rp
