// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding one performance's events in another by score position: compared
// performances aligned to the same piece show, for each event of the main
// one, their own event at the same position (a deleted note shifts nothing),
// and no point where they have none.

#include <cstdint>
#include <optional>

#include "model/Performance.h"

namespace rp {

// Where event k (an index from 0) stands in the score; nullptr when the
// performance is not aligned to one or has no event k.
const ScoreEvent* ScoreEventOf(const Performance& performance, std::int32_t k);

// True when both are aligned to a score of the same piece: the same
// info(piece,...), not empty.
bool SameScorePiece(const Performance& a, const Performance& b);

// The event (an index from 0) of `performance` at `onsetBeats`, within
// `kSamePositionBeats`; nothing when it has none there.
std::optional<std::int32_t> EventAtScorePosition(const Performance& performance, double onsetBeats);

}  // namespace rp
