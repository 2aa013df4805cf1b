// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Performances whose onset events come with the file instead of from the
// cluster window: a performance aligned to its score (events at score
// positions) and a list of times (one event per time). Here they become a
// `Performance`: the notes the replay plays, the onset events, and the
// values of events n, n + d and n + 2d by the same rule as for the onset
// events of a MIDI performance.

#include <vector>

#include "analysis/ScoreAlignedEvents.h"
#include "io/MatchFileReader.h"
#include "model/Performance.h"

namespace rp {

// The click each time of a list is replayed as: General MIDI percussion
// (channel 10), key 76 (high wood block).
inline constexpr std::uint8_t kClickChannel = 9;
inline constexpr std::uint8_t kClickKey = 76;
inline constexpr std::uint8_t kClickVelocity = 80;
inline constexpr double kClickMs = 50.0;

// Makes `performance` the score-aligned performance of `file`: every played
// note (matched, grace and inserted) as note events in time order, the pedals
// as controllers 64 and 67, one onset event per event of `events`, and the
// score information. Its settings stay; the values follow them.
void StoreScoreAligned(Performance& performance, const MatchFile& file, const ScoreAlignedEvents& events);

// Makes `performance` the list `timesMs` (in order): one click and one onset
// event, without velocity, per time. `source` is one of the two list kinds.
// The list is taken, and let go before the events are made.
void StoreTimes(Performance& performance, std::vector<double> timesMs, PerformanceSource source);

// The values of every onset event of a performance whose events are given
// (intervals, velocities of events n + d and n + 2d, beat periods) for its
// own delay.
void CompleteGivenEvents(Performance& performance);

}  // namespace rp
