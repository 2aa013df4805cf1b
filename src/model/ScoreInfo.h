// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a performance aligned note by note to its score knows beyond its
// onsets: where each event stands in the score, its tempo in ms per beat and
// how far its notes were spread, and what the file says about the piece.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/AnalysisSettings.h"
#include "model/SkippedLines.h"
#include "model/UndefinedValue.h"

namespace rp {

// Two score positions closer than this many beats are the same position.
inline constexpr double kSamePositionBeats = 1e-6;

// The onset that stands for a score position by one choice of `ScoreOnset`,
// and the velocity that goes with it; undefined where no load gave them.
struct PositionOnset {
  double onsetMs = kUndefinedValue;
  double velocity = kUndefinedValue;
};

// One event's place in the score.
struct ScoreEvent {
  double onsetBeats = 0.0;  // beats of the time signature from the first downbeat; negative in an upbeat
  // "bar:beat" as the file writes it, with "+offset" when the event lies
  // after the beat ("3:2+1/16").
  std::string barBeat;
  double asynchronyMs = 0.0;  // latest minus earliest played onset of its notes
  // The event's onset by each choice, indexed by `ScoreOnset`: the event
  // takes the one its settings choose, and another analysis another.
  std::array<PositionOnset, kScoreOnsetCount> onsetBy{};
  // Tempo: interval0/1/2 divided by the score distance in beats of the same
  // two events (ms per beat); empty where the interval is not given.
  std::optional<double> beatPeriod0;
  std::optional<double> beatPeriod1;
  std::optional<double> beatPeriod2;
  // The event's own chord measures (features/ChordAsynchrony.h), made once
  // when the performance is read: the melody lead and the spread of its
  // played notes, ms; undefined where it has one played note, and the lead
  // also where it holds no note of the melody voice.
  double melodyLeadMs = kUndefinedValue;
  double spreadMs = kUndefinedValue;
};

// One played note of a score position's event, as the measures of a chord
// and of a line need it (features/): matched notes only, grace notes not.
struct ScoredNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;   // the key's release
  std::int32_t event = 0;  // the index of its event in `ScoreInfo::events`
  std::int32_t voice = 0;  // from 1; 0 when the score gives none
  std::uint8_t key = 0;
  std::uint8_t velocity = 0;
  bool arpeggio = false;  // the score marks it arpeggiated
};

struct ScoreInfo {
  std::string piece;
  std::string performer;
  std::string composer;
  std::string timeSignature;  // "2/4"
  std::string keySignature;   // "E Maj"
  // Event k of the performance is events[k - 1].
  std::vector<ScoreEvent> events;
  // The played notes of the events, event by event in score order, each
  // event's in the order of their lines.
  std::vector<ScoredNote> notes;
  bool melodyVoice = false;  // the notes are marked with voices, so a melody voice is known
  SkippedLines otherLines;   // lines of kinds the program does not read
};

}  // namespace rp
