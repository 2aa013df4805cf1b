// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which played note is which score note. Two stages:
//
// 1. Dynamic time warping over two sequences of pitch sets: the score's
//    onsets (its chords) and the performance's onset clusters (notes within
//    30 ms of a cluster's first). A chord met afresh costs one minus the Dice
//    overlap of the pitch sets; a further cluster of the same chord (a spread
//    chord) the notes the chord lacks; a further chord in the same cluster
//    the notes the cluster lacks. The path's pairs give a map from score
//    position to time; the warping is then done again with each cluster's
//    distance from the time that map (smoothed) expects of the chord added to
//    the cost, so a figure played twice is not taken for its repetition.
// 2. A note-level match around that map: each key's score notes and played
//    notes are paired without crossing, within a window of the expected time
//    (grace notes a little before their main note), at the least total
//    distance. The map is then made again from these pairs and the match
//    repeated.
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
  Beat,        // where its beat is heard (model/BeatOnset.h), grace notes among them
  MiddleNote,  // the middle one in time (the earlier middle one of an even number)
  Highest,     // the highest in pitch: the melody's
  Earliest,
};

// When each score onset was played: for each position with matched notes
// (grace notes aside but for the beat), the time of them `chordTime` chooses.
ScoreTimeMap AlignedTimeMap(const Score& score, const std::vector<PlayedNote>& played, const NoteAlignment& alignment,
                            ChordTime chordTime = ChordTime::Beat);

}  // namespace rp
