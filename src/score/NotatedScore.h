// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A score as its file writes it, bar by bar in the order of the page, before
// repeats and jumps are unfolded (score/ScoreUnfolding.h makes the performed
// order of it). All parts are merged bar by bar.

#include <cstdint>
#include <string>
#include <vector>

#include "score/Rational.h"

namespace rp {

struct NotatedNote {
  std::string id;  // the file's id, or "n<k>" counted through the file
  std::string part;
  int staff = 1;
  int voice = 1;
  Rational onset;     // from the start of the bar, in whole notes
  Rational duration;  // in whole notes; 0 for a grace note
  std::uint8_t pitch = 60;
  char step = 'C';
  int alter = 0;
  int octave = 4;
  bool grace = false;
  bool arpeggio = false;  // marked to be rolled (with the other marked notes of its chord)
  bool tieStart = false;  // tied to a later note of the same pitch
  bool tieStop = false;   // tied from an earlier one
};

struct NotatedTempo {
  Rational onset;  // in the bar, in whole notes
  double quartersPerMinute = 120.0;
};

struct NotatedBar {
  int number = 0;    // as the file numbers it
  Rational length;   // as far as its notes and rests reach, in whole notes
  Rational nominal;  // what its time signature asks for
  int beats = 4;
  int beatType = 4;
  int fifths = 0;
  bool minor = false;
  bool implicit = false;  // the file says it is not counted (an upbeat)
  std::vector<NotatedNote> notes;
  std::vector<NotatedTempo> tempos;
  // The performed order: repeat signs and endings on its barlines, and the
  // jumps and their targets.
  bool repeatForward = false;
  bool repeatBackward = false;
  int repeatTimes = 2;             // how often the passage is played in all
  std::vector<int> endingNumbers;  // an ending starts here, for these passes
  bool endingStop = false;         // an ending ends with this bar
  bool segno = false;
  bool coda = false;
  bool daCapo = false;
  bool dalSegno = false;
  bool fine = false;
  bool toCoda = false;
};

struct NotatedScore {
  std::vector<NotatedBar> bars;
  std::string title;
  std::string composer;
};

}  // namespace rp
