// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "stats/Recurrence.h"
#include "stats/ScoreAlignedSeries.h"

namespace rp {
namespace {

RecurrenceSettings Plain(double radius, std::int32_t theiler = 1) {
  RecurrenceSettings s;
  s.dimension = 1;
  s.radius = radius;
  s.theilerWindow = theiler;
  return s;
}

TEST(Recurrence, HandWorkedPlotsGiveTheirLinesAndRates) {
  // Alternating values: cells of equal parity recur, the diagonals ±2 (4
  // cells) and ±4 (2 cells) are whole lines, every column alternates.
  const RecurrenceQuantification alternating = QuantifyRecurrence(std::vector<double>{0, 1, 0, 1, 0, 1}, Plain(0.5));
  EXPECT_EQ(alternating.vectors, 6);
  EXPECT_DOUBLE_EQ(*alternating.rate, 12.0 / 30.0);
  EXPECT_DOUBLE_EQ(*alternating.determinism, 1.0);
  EXPECT_DOUBLE_EQ(*alternating.meanLine, 3.0);
  EXPECT_DOUBLE_EQ(*alternating.longestLine, 4.0);
  EXPECT_DOUBLE_EQ(*alternating.lineEntropy, std::log(2.0));
  EXPECT_DOUBLE_EQ(*alternating.laminarity, 0.0);
  EXPECT_FALSE(alternating.trappingTime);

  // Runs of equal values: diagonal lines 2, 1, 1 above the main diagonal;
  // vertical lines 3, 3, 3, 2, 2, 1 over the whole plot, main diagonal in.
  const std::vector<double> runs{0, 0, 0, 5, 5, 9};
  const RecurrenceQuantification plateau = QuantifyRecurrence(runs, Plain(0.5));
  EXPECT_DOUBLE_EQ(*plateau.rate, 8.0 / 30.0);
  EXPECT_DOUBLE_EQ(*plateau.determinism, 0.5);
  EXPECT_DOUBLE_EQ(*plateau.meanLine, 2.0);
  EXPECT_DOUBLE_EQ(*plateau.longestLine, 2.0);
  EXPECT_DOUBLE_EQ(*plateau.lineEntropy, 0.0);
  EXPECT_DOUBLE_EQ(*plateau.laminarity, 13.0 / 14.0);
  EXPECT_DOUBLE_EQ(*plateau.trappingTime, 13.0 / 5.0);
  // Without a Theiler window the main diagonal is one more line; the
  // vertical lines do not change.
  const RecurrenceQuantification whole = QuantifyRecurrence(runs, Plain(0.5, 0));
  EXPECT_DOUBLE_EQ(*whole.rate, 14.0 / 36.0);
  EXPECT_DOUBLE_EQ(*whole.longestLine, 6.0);
  EXPECT_DOUBLE_EQ(*whole.laminarity, 13.0 / 14.0);

  // Embedding: m = 2, τ = 2 over 0 1 0 1 0 1 gives (0,0) (1,1) (0,0) (1,1).
  RecurrenceSettings embedded = Plain(0.5);
  embedded.dimension = 2;
  embedded.delay = 2;
  EXPECT_EQ(EmbeddedCount(6, embedded), 4U);
  EXPECT_DOUBLE_EQ(*QuantifyRecurrence(std::vector<double>{0, 1, 0, 1, 0, 1}, embedded).rate, 4.0 / 12.0);
  EXPECT_FALSE(QuantifyRecurrence(std::vector<double>{1, 2}, embedded).rate);
}

TEST(Recurrence, CrossRecurrenceComparesEveryPairAndThePlotHoldsTheCells) {
  const std::vector<double> x{0, 1, 2};
  const std::vector<double> y{2, 1, 0, 1};
  const RecurrenceQuantification q = QuantifyCrossRecurrence(x, y, Plain(0.5));
  EXPECT_DOUBLE_EQ(*q.rate, 4.0 / 12.0);
  EXPECT_DOUBLE_EQ(*q.determinism, 0.5);
  EXPECT_DOUBLE_EQ(*q.longestLine, 2.0);
  EXPECT_DOUBLE_EQ(*q.laminarity, 0.0);
  const RecurrenceMatrix plot = CrossRecurrencePlot(x, y, Plain(0.5));
  ASSERT_EQ(plot.Rows(), 3U);
  ASSERT_EQ(plot.Columns(), 4U);
  std::vector<std::pair<std::size_t, std::size_t>> set;
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 4; ++j)
      if (plot.At(i, j)) set.emplace_back(i, j);
  EXPECT_EQ(set, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 2}, {1, 1}, {1, 3}, {2, 0}}));
  // A plot wider than one word of bits.
  std::vector<double> ramp(130);
  for (std::size_t k = 0; k < ramp.size(); ++k) ramp[k] = static_cast<double>(k);
  const RecurrenceMatrix wide = RecurrencePlot(ramp, Plain(1.0));
  EXPECT_TRUE(wide.At(128, 129) && wide.At(129, 128) && wide.At(64, 64) && !wide.At(0, 129) && !wide.At(127, 129));
}

TEST(Recurrence, RadiusForARateIsTheQuantileOfTheCountedDistances) {
  RecurrenceSettings byRate = Plain(0.0);
  byRate.radius.reset();
  // 12 of the 30 cells off the main diagonal are at distance 0, the rest at 1.
  const std::vector<double> alternating{0, 1, 0, 1, 0, 1};
  byRate.rate = 0.4;
  EXPECT_EQ(*RecurrenceRadius(alternating, byRate), 0.0);
  byRate.rate = 0.41;
  EXPECT_EQ(*RecurrenceRadius(alternating, byRate), 1.0);
  // With the main diagonal counted: 18 of 36 at 0.
  byRate.theilerWindow = 0;
  byRate.rate = 0.5;
  EXPECT_EQ(*RecurrenceRadius(alternating, byRate), 0.0);
  byRate.rate = 0.51;
  EXPECT_EQ(*RecurrenceRadius(alternating, byRate), 1.0);

  // Enough cells for the search by bins (4.5 million pairs), against a sort
  // of them all, with distinct and with heavily tied distances.
  std::mt19937_64 engine(9);
  std::normal_distribution<double> noise;
  for (const bool tied : {false, true}) {
    std::vector<double> x(3001);
    for (double& v : x) v = tied ? std::round(2.0 * noise(engine)) : noise(engine);
    RecurrenceSettings settings;
    settings.dimension = 2;
    settings.delay = 1;
    settings.theilerWindow = 3;
    settings.rate = 0.07;
    const std::size_t n = EmbeddedCount(x.size(), settings);
    std::vector<double> distances;
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = i + 3; j < n; ++j)
        distances.push_back(std::max(std::abs(x[i] - x[j]), std::abs(x[i + 1] - x[j + 1])));
    std::sort(distances.begin(), distances.end());
    const auto k = static_cast<std::size_t>(std::ceil(0.07 * 2.0 * static_cast<double>(distances.size())));
    EXPECT_EQ(*RecurrenceRadius(x, settings), distances[(k + 1) / 2 - 1]) << (tied ? "tied" : "distinct");
    const RecurrenceQuantification q = QuantifyRecurrence(x, settings);
    EXPECT_GE(*q.rate, 0.07);
    EXPECT_LT(*q.rate, tied ? 0.2 : 0.0701);
  }
}

TEST(ScoreAlignedSeries, ValuesPairByScorePositionAndUnpairedOnesDrop) {
  // The second performance left out the event at beat 1 and has one at 2.5 the first lacks.
  const EventColumns firstEvents{
      {0, 500, 1000, 1500}, std::vector<double>{10, 11, 12, 13}, std::vector<double>{0, 1, 2, 3}, std::nullopt};
  const EventColumns secondEvents{
      {0, 900, 1200, 1500}, std::vector<double>{20, 22, 25, 23}, std::vector<double>{0, 2, 2.5, 3}, std::nullopt};
  const NamedSeries first = SeriesFromEvents(firstEvents)[1];
  const NamedSeries second = SeriesFromEvents(secondEvents)[1];
  const AlignedSeries aligned = AlignByScore(first, *firstEvents.scoreBeats, second, *secondEvents.scoreBeats);
  EXPECT_EQ(aligned.first, (std::vector<double>{10, 12, 13}));
  EXPECT_EQ(aligned.second, (std::vector<double>{20, 22, 23}));
  EXPECT_EQ(aligned.scoreBeats, (std::vector<double>{0, 2, 3}));
  // Aligned, the same values recur on the main diagonal of the cross-recurrence plot.
  const RecurrenceMatrix plot = CrossRecurrencePlot(aligned.first, std::vector<double>{10, 12, 13}, Plain(0.5));
  EXPECT_TRUE(plot.At(0, 0) && plot.At(1, 1) && plot.At(2, 2) && !plot.At(0, 1));
}

}  // namespace
}  // namespace rp
