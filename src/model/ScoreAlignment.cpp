// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ScoreAlignment.h"

#include <algorithm>
#include <cmath>

namespace rp {

const ScoreEvent* ScoreEventOf(const Performance& performance, std::int32_t k) {
  if (!performance.score || k < 0 || static_cast<std::size_t>(k) >= performance.score->events.size()) return nullptr;
  return &performance.score->events[static_cast<std::size_t>(k)];
}

bool SameScorePiece(const Performance& a, const Performance& b) {
  return a.score && b.score && !a.score->piece.empty() && a.score->piece == b.score->piece;
}

std::optional<std::int32_t> EventAtScorePosition(const Performance& performance, double onsetBeats) {
  if (!performance.score) return std::nullopt;
  const auto& events = performance.score->events;
  // Events are in score order, each more than kSamePositionBeats after the
  // one before: the first that does not lie that far before the position.
  const auto at = std::lower_bound(events.begin(), events.end(), onsetBeats, [](const ScoreEvent& e, double beats) {
    return beats - e.onsetBeats > kSamePositionBeats;
  });
  if (at == events.end() || std::abs(at->onsetBeats - onsetBeats) > kSamePositionBeats) return std::nullopt;
  return static_cast<std::int32_t>(at - events.begin());
}

}  // namespace rp
