// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ComparedAlignment.h"

#include <algorithm>
#include <cmath>

#include "model/ScoreAlignment.h"

namespace rp {

namespace {

// Compares (onset - first) / span of both performances by cross
// multiplication, so equal positions compare equal (no division rounds).
std::int32_t NearestRelative(const Performance& main, std::int32_t k, const Performance& other) {
  const auto& a = main.events;
  const auto& b = other.events;
  const double aFirst = a.front().onsetMs;
  const double aSpan = a.back().onsetMs - aFirst;
  const double bFirst = b.front().onsetMs;
  const double bSpan = b.back().onsetMs - bFirst;
  if (!(aSpan > 0.0) || !(bSpan > 0.0)) return 0;
  const double target = (a[static_cast<std::size_t>(k)].onsetMs - aFirst) * bSpan;
  const auto scaled = [&](const OnsetEvent& e) { return (e.onsetMs - bFirst) * aSpan; };
  // The first event at or after the target, then whichever of it and the
  // one before is nearer; the earlier on a tie.
  const auto at = std::partition_point(b.begin(), b.end(), [&](const OnsetEvent& e) { return scaled(e) < target; });
  if (at == b.end()) return static_cast<std::int32_t>(b.size()) - 1;
  std::size_t chosen = static_cast<std::size_t>(at - b.begin());
  if (chosen > 0 && target - scaled(b[chosen - 1]) <= scaled(*at) - target) --chosen;
  return static_cast<std::int32_t>(chosen);
}

}  // namespace

std::string_view AlignByName(AlignBy by) {
  switch (by) {
    case AlignBy::EventNumber:
      return "number";
    case AlignBy::RelativePosition:
      return "position";
    case AlignBy::ScorePosition:
      return "score";
  }
  return "number";
}

std::optional<AlignBy> AlignByFromName(std::string_view name) {
  for (const AlignBy by : {AlignBy::EventNumber, AlignBy::RelativePosition, AlignBy::ScorePosition})
    if (AlignByName(by) == name) return by;
  return std::nullopt;
}

bool CanAlignByScore(const Performance& main, const ComparedPerformances& compared) {
  if (!main.score || main.score->piece.empty()) return false;
  return std::all_of(compared.begin(), compared.end(),
                     [&main](const Performance& other) { return SameScorePiece(main, other); });
}

AlignBy EffectiveAlignBy(std::optional<AlignBy> chosen, const Performance& main, const ComparedPerformances& compared) {
  const bool score = CanAlignByScore(main, compared);
  if (!chosen) return score ? AlignBy::ScorePosition : AlignBy::EventNumber;
  return *chosen == AlignBy::ScorePosition && !score ? AlignBy::EventNumber : *chosen;
}

std::optional<std::int32_t> AlignedEvent(const Performance& main, std::int32_t k, const Performance& other,
                                         AlignBy by) {
  if (k < 0 || k >= main.EventCount() || other.events.empty()) return std::nullopt;
  switch (by) {
    case AlignBy::EventNumber:
      if (k < other.EventCount()) return k;
      return std::nullopt;
    case AlignBy::RelativePosition:
      return NearestRelative(main, k, other);
    case AlignBy::ScorePosition: {
      const ScoreEvent* at = ScoreEventOf(main, k);
      if (at == nullptr) return std::nullopt;
      return EventAtScorePosition(other, at->onsetBeats);
    }
  }
  return std::nullopt;
}

}  // namespace rp
