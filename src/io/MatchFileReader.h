// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a match file: a performance aligned note by note to its score.
// Each line is one term, ended by the line's final "." only (values may hold
// commas and ". "):
//
//   info(Key,Value).             midiClockUnits and midiClockRate must be there
//   scoreprop(Key,Value,Bar:Beat,Offset,OnsetInBeats).
//   snote(Anchor,[Step,Alter],Octave,Bar:Beat,Offset,Duration,OnsetInBeats,OffsetInBeats,[Attributes])-note(...).
//   snote(...)-deletion.         a score note nobody played
//   insertion-note(...).         a played note the score does not have
//   sustain(Time,Value).  soft(Time,Value).
//
// The played note comes in two forms, told apart by the shape of its second
// argument (never by the file's version number):
//
//   note(Id,[Step,Alter],Octave,Onset,Offset,AdjOffset,Velocity)   the older form
//   note(Id,MidiPitch,Onset,Offset,Velocity,Channel,Track)          the current form
//
// Times are MIDI clock ticks; a tick lasts midiClockRate / midiClockUnits
// microseconds. A note ends at its Offset (AdjOffset, the end the pedal
// gives it, is not needed: the pedals are replayed). A spelled pitch is 12 (Octave + 1) + step (C 0, D 2, E 4,
// F 5, G 7, A 9, B 11, either case) + alter (# +1, b -1, n 0, ## or x +2,
// bb -2), so [B,#],3 is 60. Lines of any other kind are counted and skipped;
// a line of these kinds that cannot be read is counted apart and skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/SkippedLines.h"

namespace rp {

struct MatchScoreNote {
  std::string anchor;         // "n12"
  std::string barBeat;        // "1:2"
  std::string beatOffset;     // "1/16"; "0" on the beat
  double onsetInBeats = 0.0;  // negative in an upbeat; grows through the piece (repeats unfolded)
  std::string attributes;     // as written between the brackets: "1,grace"
  bool grace = false;         // the attribute "grace"
  // The first attribute when it is a voice: "1" or "v1" is voice 1; 0 when
  // there is none ("staff1" is a staff, no voice).
  int voice = 0;
  bool arpeggio = false;  // the attribute "arp"
};

struct MatchPlayedNote {
  double onsetMs = 0.0;
  double offsetMs = 0.0;  // never before the onset
  std::uint8_t key = 0;   // 0 to 127
  std::uint8_t velocity = 0;
  std::int64_t line = 0;  // where the file gives it, from 1
};

struct MatchPair {
  MatchScoreNote score;
  MatchPlayedNote played;
};

struct MatchPedal {
  double timeMs = 0.0;
  std::uint8_t controller = 0;  // 64 sustain, 67 soft
  std::uint8_t value = 0;
};

using MatchKeyValue = std::pair<std::string, std::string>;

struct MatchFile {
  std::vector<MatchKeyValue> info;             // every info(Key,Value), in file order, as UTF-8
  std::vector<MatchKeyValue> scoreProperties;  // every scoreprop's Key and Value, likewise
  std::vector<MatchPair> matched;              // in file order
  std::vector<MatchScoreNote> deletions;
  std::vector<MatchPlayedNote> insertions;
  std::vector<MatchPedal> pedals;  // in file order
  double msPerTick = 0.0;          // the length of a MIDI clock tick
  SkippedLines otherLines;         // lines of kinds not listed above (blank lines are not counted)
  SkippedLines damagedLines;       // lines of the kinds above that could not be read
  // Empty when the file was read; otherwise one sentence for the user naming it.
  std::string error;

  bool Ok() const { return error.empty(); }
  // The value of the first info(key,...), or of the first scoreprop(key,...)
  // when there is no such info; "" when there is neither.
  std::string_view Info(std::string_view key) const;
};

// Files above this size are refused before they are read: a match file of
// 100,000 notes takes about 10 MB.
inline constexpr std::uintmax_t kMaxMatchFileBytes = 256u << 20;

// True when the first line that is not blank (in the first bytes of a file)
// opens an info(...) or snote(...) term.
bool LooksLikeMatchFile(std::string_view head);

MatchFile ReadMatchFile(const std::string& path);
// `fileName` only names the file in messages.
MatchFile ParseMatchFile(std::string_view bytes, std::string_view fileName);

}  // namespace rp
