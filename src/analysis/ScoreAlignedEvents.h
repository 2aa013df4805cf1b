// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The onset events of a performance aligned to its score: the played notes
// of one score position make one event, in score order, so a chord however
// spread stays one event and a deleted note shifts nothing.
//
// Matched notes whose onsets in beats lie within `kSamePositionBeats` of the
// position's first form its event. Grace notes and inserted notes sound in
// the replay but make no event and give none its onset, velocity or
// asynchrony; a position whose notes were all deleted has no event. An
// event opens with the earliest played note of its position (a tie goes to
// the note on the earlier line), as the onset events of a MIDI performance
// do; its asynchrony is the latest minus the earliest of those onsets. Its
// onset and velocity are given for each `ScoreOnset`: the earliest note's,
// the mean of all its notes', the melody note's (model/MelodyNote.h) and
// the highest key's.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/MatchFileReader.h"
#include "model/ScoreInfo.h"

namespace rp {

struct ScoreAlignedEvent {
  double onsetBeats = 0.0;
  std::string barBeat;  // "bar:beat", "+offset" when after the beat
  double asynchronyMs = 0.0;
  std::size_t firstNote = 0;                              // the note of `notes` the event opens with: its earliest
  std::array<PositionOnset, kScoreOnsetCount> onsetBy{};  // indexed by `ScoreOnset`
};

struct ScoreAlignedEvents {
  std::vector<ScoreAlignedEvent> events;  // in score order
  // Every played note, matched (grace notes among them) and inserted, in file order.
  std::vector<MatchPlayedNote> notes;
  // The played notes that make each event, event by event.
  std::vector<ScoredNote> eventNotes;
};

ScoreAlignedEvents MakeScoreAlignedEvents(const MatchFile& file);

}  // namespace rp
