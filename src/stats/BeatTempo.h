// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tempo as researchers measure it: per beat (or per bar) of the score, from
// the onsets of the score positions that start the beats.
//
// The beats lie every beat length from the first downbeat (score position
// 0), from the first beat at or after the performance's first event to the
// last at or before its last. A beat's onset is that of the event at its
// position; where no note starts the beat, it is interpolated linearly
// between the onsets of the events before and after it by score position,
// and so is its loudness. The tempo of beat i is the onset of beat i + 1
// minus its own (ms per beat; the last beat has none).
//
// Smoothing over W beats is a centred moving average: beat j counts towards
// beat i with the share of its own beat [j - 1/2, j + 1/2] that lies inside
// [i - W/2, i + W/2] (W = 3 averages three beats alike, W = 2 gives the two
// neighbours half the weight of the beat itself), over the beats that have a
// value; near the ends the window holds fewer beats, and a beat without a
// value (the last one's tempo) gets none. W of 1 or less leaves the values
// as they are. The ms per beat are smoothed (BPM follow from
// them), and the loudness alike.

#include <cstdint>
#include <string>
#include <vector>

#include "model/Beat.h"

namespace rp {

// The events of a performance aligned to its score, in score order.
struct ScoredEvents {
  std::vector<double> positions;  // score onsets in notes of the signature's unit from the first downbeat
  std::vector<double> onsetMs;
  std::vector<double> loudness;      // velocity or dB; undefined where there is none
  std::vector<std::string> barBeat;  // "7:2+1/16"
  TimeSignature signature;
};

struct BeatRow {
  std::int32_t bar = 0;      // as the score numbers it
  double beatInBar = 1.0;    // from 1; fractional when the beat does not divide the bar
  double barPosition = 0.0;  // the bar and how far into it (7.5: half-way through bar 7)
  double position = 0.0;     // in beats from the first downbeat
  double onsetMs = 0.0;
  bool interpolated = false;  // no event starts the beat
  double msPerBeat = 0.0;     // undefined for the last beat
  double smoothedMsPerBeat = 0.0;
  double loudness = 0.0;  // undefined where an event it comes from has none
  double smoothedLoudness = 0.0;
};

struct BeatTempo {
  Beat beat;
  std::vector<BeatRow> rows;
};

// The beats of `events` counted in `beat`, smoothed over `smoothBeats`.
BeatTempo MakeBeatTempo(const ScoredEvents& events, const Beat& beat, double smoothBeats);

// The centred moving average above over `values`; undefined values count
// for nothing and stay undefined.
std::vector<double> SmoothOverBeats(const std::vector<double>& values, double windowBeats);

}  // namespace rp
