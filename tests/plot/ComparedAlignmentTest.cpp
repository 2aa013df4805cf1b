// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "model/ComparedAlignment.h"

namespace rp {
namespace {

Performance Onsets(const std::vector<double>& onsetsMs) {
  Performance p;
  for (const double t : onsetsMs) p.events.push_back(OnsetEvent{.onsetMs = t});
  return p;
}

Performance AtBeats(const std::string& piece, const std::vector<double>& beats) {
  Performance p = Onsets(std::vector<double>(beats.size(), 0.0));
  p.source = PerformanceSource::ScoreAligned;
  p.score.emplace();
  p.score->piece = piece;
  for (const double b : beats) p.score->events.push_back(ScoreEvent{.onsetBeats = b});
  return p;
}

TEST(ComparedAlignmentTest, ScorePositionSkipsADeletedNoteInsteadOfShiftingTheRest) {
  const Performance main = AtBeats("op10-3", {-0.5, 0.0, 0.5, 1.0, 1.5});
  const ComparedPerformances other = {AtBeats("op10-3", {-0.5, 0.0, 1.0 + 1e-7, 1.5})};  // beat 0.5 deleted
  ASSERT_TRUE(CanAlignByScore(main, other));
  EXPECT_EQ(EffectiveAlignBy(std::nullopt, main, other), AlignBy::ScorePosition);
  std::vector<std::optional<std::int32_t>> got;
  for (std::int32_t k = 0; k < 5; ++k) got.push_back(AlignedEvent(main, k, other[0], AlignBy::ScorePosition));
  EXPECT_EQ(got, (std::vector<std::optional<std::int32_t>>{0, 1, std::nullopt, 2, 3}));
  EXPECT_EQ(AlignedEvent(main, 3, other[0], AlignBy::EventNumber), 3) << "the compared one's last event";
  EXPECT_EQ(AlignedEvent(main, 4, other[0], AlignBy::EventNumber), std::nullopt) << "past the compared one's end";
  EXPECT_EQ(AlignedEvent(main, -1, other[0], AlignBy::EventNumber), std::nullopt);
  EXPECT_EQ(AlignedEvent(main, 5, other[0], AlignBy::EventNumber), std::nullopt) << "past the main one's end";

  // Another piece, or a performance without a score: no score position, even when chosen.
  for (const Performance& unlike : {AtBeats("op10-4", {0.0}), Onsets({0.0, 100.0})}) {
    EXPECT_FALSE(CanAlignByScore(main, {unlike}));
    EXPECT_EQ(EffectiveAlignBy(AlignBy::ScorePosition, main, {unlike}), AlignBy::EventNumber);
  }
  EXPECT_EQ(EffectiveAlignBy(AlignBy::RelativePosition, main, other), AlignBy::RelativePosition);
}

TEST(ComparedAlignmentTest, RelativePositionTakesTheNearestAndTheEarlierOnATie) {
  // Main at relative positions 0, 0.5, 0.7, 1; the other at 0, 0.4, 0.6, 0.75, 1 over another span.
  const Performance main = Onsets({1000.0, 1500.0, 1700.0, 2000.0});
  const Performance other = Onsets({0.0, 1200.0, 1800.0, 2250.0, 3000.0});
  std::vector<std::optional<std::int32_t>> got;
  for (std::int32_t k = 0; k < 4; ++k) got.push_back(AlignedEvent(main, k, other, AlignBy::RelativePosition));
  EXPECT_EQ(got, (std::vector<std::optional<std::int32_t>>{0, 1, 3, 4}));  // 0.5 lies as near 0.4 as 0.6
}

}  // namespace
}  // namespace rp
