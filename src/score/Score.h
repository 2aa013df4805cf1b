// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A score as the alignment and the match file need it: every sounding note in
// the order it is performed (repeats, endings and jumps unfolded), with where
// it stands in its bar and in the whole, and the time and key signatures and
// tempo marks by position.
//
// Positions count from the start of the performed order: `positionBeats` in
// beats of the time signature in force (a 6/8 bar has six), `positionQuarters`
// in quarter notes. A bar shorter than its time signature at the very start
// is an upbeat: its notes lie before the first downbeat, whose position is
// `upbeatBeats`.

#include <cstdint>
#include <string>
#include <vector>

#include "score/Rational.h"

namespace rp {

struct ScoreNote {
  std::string id;    // the file's id, made unique per pass ("n12-1", "n12-2")
  std::string part;  // the file's part id ("P1")
  int staff = 1;
  int voice = 1;
  int bar = 0;                    // the bar's number as the file gives it (an upbeat is usually 0)
  int beat = 1;                   // the beat of the bar it starts in, from 1
  Rational offsetInBeat;          // after that beat, in whole notes ("1/16")
  Rational positionWhole;         // from the start of the performed order, in whole notes
  double positionQuarters = 0.0;  // the same in quarter notes
  double positionBeats = 0.0;     // the same in beats of the time signatures
  Rational durationWhole;         // notated length (ties merged); 0 for a grace note
  double durationBeats = 0.0;
  std::uint8_t pitch = 60;  // MIDI key
  char step = 'C';          // spelling: step, alteration in semitones and octave (middle C is C4)
  int alter = 0;
  int octave = 4;
  bool grace = false;      // played before the note it ornaments; its position is that note's
  bool arpeggio = false;   // marked to be rolled with the other marked notes of its chord
  bool tieMerged = false;  // tied notes after it were merged into it
};

struct TimeSignatureAt {
  double positionBeats = 0.0;
  int bar = 0;
  int beats = 4;
  int beatType = 4;
};

struct KeySignatureAt {
  double positionBeats = 0.0;
  int bar = 0;
  int fifths = 0;  // sharps positive, flats negative
  bool minor = false;
};

// Where a bar starts in the performed order (a bar played twice is here twice).
struct BarAt {
  int number = 0;
  double positionQuarters = 0.0;
  double positionBeats = 0.0;
  int beats = 4;     // of its time signature
  int beatType = 4;  // the beat's note value: 4 a quarter
};

// A tempo mark: quarter notes per minute from a position on.
struct TempoAt {
  double positionQuarters = 0.0;
  double quartersPerMinute = 120.0;
};

struct Score {
  std::vector<ScoreNote> notes;  // by position, then pitch
  std::vector<TimeSignatureAt> timeSignatures;
  std::vector<KeySignatureAt> keySignatures;
  std::vector<TempoAt> tempos;
  std::vector<BarAt> bars;   // in performed order
  double upbeatBeats = 0.0;  // where the first downbeat lies
  std::string title;
  std::string composer;
};

// "C Maj", "F# min": the key as match files name it.
std::string KeyName(const KeySignatureAt& key);

// Sorts the notes by position, then pitch (grace notes of a position before its other notes).
void SortScoreNotes(Score& score);

}  // namespace rp
