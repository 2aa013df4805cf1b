// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the cluster window likely splits spread chords of a MIDI
// performance into several onset events: a chord spread over more than the
// window leaves intervals between its parts that are far shorter than any
// played note, so more than `kChordSplittingShare` of the intervals between
// onset events lying under twice the window is taken for the sign. The
// load's caller says so once (the command line on stderr; the windows after
// the load).

#include <cstdint>
#include <optional>
#include <string>

namespace rp {

struct Performance;

inline constexpr double kChordSplittingShare = 0.05;

struct ChordSplitting {
  std::int32_t shortIntervals = 0;  // intervals under `limitMs`
  std::int32_t intervals = 0;       // all intervals between onset events
  double limitMs = 0.0;             // twice the cluster window
};

// The count when it exceeds the share, for a performance whose events the
// cluster window made from MIDI notes; nothing otherwise (also for a
// recording, a match file or a list of times).
std::optional<ChordSplitting> FindChordSplitting(const Performance& performance);

// The one line for the user naming the count and the analysis settings;
// empty when there is nothing to say.
std::string ChordSplittingWarning(const Performance& performance);

}  // namespace rp
