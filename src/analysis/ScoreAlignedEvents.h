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
// event's onset is the earliest played onset of its notes (a tie goes to the
// note on the earlier line) and its velocity that note's, as for the onset
// events of a MIDI performance; its asynchrony is the latest minus the
// earliest of those onsets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/MatchFileReader.h"

namespace rp {

struct ScoreAlignedEvent {
  double onsetBeats = 0.0;
  std::string barBeat;  // "bar:beat", "+offset" when after the beat
  double onsetMs = 0.0;
  std::uint8_t velocity = 0;
  double asynchronyMs = 0.0;
  std::size_t firstNote = 0;  // the note of `notes` that gives the onset
};

struct ScoreAlignedEvents {
  std::vector<ScoreAlignedEvent> events;  // in score order
  // Every played note, matched (grace notes among them) and inserted, in file order.
  std::vector<MatchPlayedNote> notes;
};

ScoreAlignedEvents MakeScoreAlignedEvents(const MatchFile& file);

}  // namespace rp
