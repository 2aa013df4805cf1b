// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a performance gives beyond its onsets, one row per onset event (a
// score position of a match file, an onset cluster of a MIDI performance):
// the melody note, the chord's asynchrony (features/ChordAsynchrony.h), the
// key overlap of the melody line and of the lowest notes
// (features/KeyOverlap.h), and how much of the melody note sounds under the
// pedals (features/PedalUse.h).
//
// Where the file marks voices, only the events that hold a note of the
// melody voice have a melody: the others have no melody lead or velocity
// difference, and the melody line is made of the melody notes of those
// events. Without voices (a MIDI performance, a match file that names only
// staffs) the highest note of every event is its melody. The lowest line is made of the lowest note of every
// event (the earliest of equal keys).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "features/PedalUse.h"
#include "model/UndefinedValue.h"

namespace rp {

struct Performance;

struct EventFeatures {
  std::string barBeat;                  // "3:2+1/16"; empty without a score
  double scoreBeats = kUndefinedValue;  // the score position in beats; undefined without a score
  std::int32_t notes = 0;               // the played notes of the event
  std::uint8_t melodyKey = 0;
  bool melodyByVoice = false;  // the melody note is of the marked melody voice, not only the highest
  double melodyOnsetMs = kUndefinedValue;
  double melodyVelocity = kUndefinedValue;
  double melodyLeadMs = kUndefinedValue;
  double spreadMs = kUndefinedValue;
  double velocityDifference = kUndefinedValue;
  double overlapMs = kUndefinedValue;  // of the melody line, with its next note
  double overlapRatio = kUndefinedValue;
  double lowOverlapMs = kUndefinedValue;  // of the lowest line, with its next note
  double lowOverlapRatio = kUndefinedValue;
  // The fraction of the melody note's sounding time (onset to release)
  // under each pedal; undefined when it has no sounding time.
  double sustainFraction = kUndefinedValue;
  double softFraction = kUndefinedValue;
};

struct PerformanceFeatures {
  // One per onset event, in order; without played notes (a list of times,
  // a recording) each has 0 notes and nothing else.
  std::vector<EventFeatures> events;
  std::vector<PedalSpan> sustain;  // the presses of the sustain pedal
  std::vector<PedalSpan> soft;     // of the soft pedal
  bool voices = false;             // the file marks voices (the melody voice among them)
  // Why the events have no melody lead or key overlap worth measuring over
  // the whole piece (no voices, or no notes at all), and why none have a
  // spread; empty when they have.
  std::string melodyMissing;
  std::string spreadMissing;
};

PerformanceFeatures FeaturesOf(const Performance& performance);

}  // namespace rp
