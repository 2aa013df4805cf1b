// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which played note is which score note. Two stages:
//
// 1. Dynamic time warping over two sequences of pitch sets: the score's
//    onsets (its chords) and the performance's onset clusters (notes within
//    30 ms of a cluster's first). The cost of a pair is one minus the Dice
//    overlap of their pitch sets, so a spread chord, split over several
//    clusters, still costs little beside its score chord. The path gives the
//    notes of each chord a first match and, from them, a map from score
//    position to time.
// 2. A note-level match in a window around that map: each score note may
//    take a played note of its pitch within the window of its expected time
//    (grace notes a little before their main note); all candidate pairs are
//    taken nearest first. The map is then made again from these matches and
//    the match repeated, so a wrong stretch of the path is mended.
//
// Played notes matched to nothing are insertions; score notes matched to
// nothing are deletions.

#include <cstdint>
#include <functional>
#include <vector>

#include "score/PlayedNotes.h"
#include "score/Score.h"
#include "score/ScoreTimeMap.h"

namespace rp {

struct NoteAlignment {
  // Indexed as the score's notes: the played note's index, or -1.
  std::vector<std::int32_t> playedOf;
  // Indexed as the played notes: the score note's index, or -1.
  std::vector<std::int32_t> scoreOf;

  std::size_t Matched() const;
};

// `played` in onset order (as PlayedNotesOf gives them). `cancelled`, when
// given, is asked now and then and ends the work early with nothing matched.
NoteAlignment AlignNotes(const Score& score, const std::vector<PlayedNote>& played,
                         const std::function<bool()>& cancelled = {});

// Which of a chord's played notes gives the time of the chord.
enum class ChordTime {
  Median,      // the middle one in time (between the two middle ones of an even number)
  MiddleNote,  // the middle one in time (the earlier middle one of an even number)
  Highest,  // the highest in pitch: the melody's
  Earliest,
};

// When each score onset was played: for each position with matched notes
// (grace notes aside), the time of them `chordTime` chooses.
ScoreTimeMap AlignedTimeMap(const Score& score, const std::vector<PlayedNote>& played, const NoteAlignment& alignment,
                            ChordTime chordTime = ChordTime::Median);

}  // namespace rp
