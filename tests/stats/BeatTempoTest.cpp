// SPDX-License-Identifier: GPL-3.0-or-later
// Tempo per beat of the score: which beat a time signature counts in, the
// beats' onsets where no note starts them, bars, smoothing, and the curve and
// trajectory the Statistics window draws from them.

#include <gtest/gtest.h>

#include <vector>

#include "model/UndefinedValue.h"
#include "stats/BeatTempo.h"
#include "stats/TempoCurve.h"
#include "stats/TempoLoudness.h"

namespace rp {
namespace {

TEST(Beat, TimeSignaturesChoicesAndTheirNames) {
  const struct {
    const char* signature;
    const char* beat;
  } kCases[] = {{"2/4", "quarter"},        {"3/4", "quarter"},         {"4/4", "quarter"},    {"2/2", "half"},
                {"3/8", "eighth"},         {"5/8", "eighth"},          {"7/4", "quarter"},    {"6/8", "dotted quarter"},
                {"9/8", "dotted quarter"}, {"12/16", "dotted eighth"}, {"6/4", "dotted half"}};
  for (const auto& c : kCases) {
    const std::optional<TimeSignature> signature = ParseTimeSignature(c.signature);
    ASSERT_TRUE(signature) << c.signature;
    EXPECT_EQ(BeatName(BeatOfTimeSignature(*signature)), c.beat) << c.signature;
  }
  EXPECT_FALSE(ParseTimeSignature("6"));

  EXPECT_EQ(ParseBeat("dotted-quarter"), ParseBeat("3/8"));
  EXPECT_EQ(ParseBeat("2/8"), ParseBeat("quarter"));
  EXPECT_FALSE(ParseBeat("crotchet"));
  EXPECT_EQ(BeatInSignatureUnits(*ParseBeat("dotted-quarter"), {6, 8}), 3);
  EXPECT_EQ(BeatInSignatureUnits(*ParseBeat("bar"), {3, 4}), 3);

  EXPECT_EQ(TempoLabel(TempoUnit::MsPerBeat, *ParseBeat("dotted-quarter")), "ms per dotted quarter");
  EXPECT_EQ(TempoLabel(TempoUnit::Bpm, *ParseBeat("quarter")), "BPM (quarter)");
  EXPECT_EQ(TempoColumnName(TempoUnit::Bpm, *ParseBeat("5/16")), "bpm_5/16_note");
}

// 3/4 with an upbeat quarter; beat 1:2 (position 1) has no note, bar 2's
// downbeat (3) has no velocity.
ScoredEvents Waltz() {
  return {{-1, 0, 2, 2.5, 3, 4},
          {0, 600, 1800, 2100, 2400, 3000},
          {50, 60, 70, 75, kUndefinedValue, 80},
          {"0:3", "1:1", "1:3", "1:3+1/8", "2:1", "2:2"},
          {3, 4}};
}

TEST(BeatTempo, BeatsBetweenNotesAreInterpolatedAndBarsCounted) {
  const BeatTempo tempo = MakeBeatTempo(Waltz(), Beat{}, 0);
  ASSERT_EQ(tempo.rows.size(), 6U);  // positions -1 to 4
  const BeatRow& missing = tempo.rows[2];
  EXPECT_TRUE(missing.interpolated);
  EXPECT_EQ(missing.onsetMs, 1200);
  EXPECT_EQ(missing.loudness, 65);
  EXPECT_EQ(missing.bar, 1);
  EXPECT_EQ(missing.beatInBar, 2);
  EXPECT_EQ(tempo.rows[0].bar, 0);
  EXPECT_EQ(tempo.rows[0].beatInBar, 3);
  EXPECT_EQ(tempo.rows[4].bar, 2);
  EXPECT_FALSE(IsDefined(tempo.rows[4].loudness));
  EXPECT_EQ(tempo.rows[1].msPerBeat, 600);
  EXPECT_EQ(tempo.rows[3].msPerBeat, 600);  // 1800 to the downbeat at 2400
  EXPECT_FALSE(IsDefined(tempo.rows[5].msPerBeat));

  // Per bar: the downbeats of bars 1 and 2.
  const BeatTempo bars = MakeBeatTempo(Waltz(), *ParseBeat("bar"), 0);
  ASSERT_EQ(bars.rows.size(), 2U);
  EXPECT_EQ(bars.rows[0].msPerBeat, 1800);
  // A dotted quarter does not divide 3/4: beats at 0, 1.5 (interpolated between 0 and 2) and 3.
  const BeatTempo dotted = MakeBeatTempo(Waltz(), *ParseBeat("dotted-quarter"), 0);
  ASSERT_EQ(dotted.rows.size(), 3U);
  EXPECT_EQ(dotted.rows[1].onsetMs, 1500);
  EXPECT_EQ(dotted.rows[1].beatInBar, 2);
}

TEST(BeatTempo, SmoothingIsACentredWindowInBeats) {
  const double u = kUndefinedValue;
  const std::vector<double> values{100, 200, 400, 100, u};
  const std::vector<double> three = SmoothOverBeats(values, 3);
  EXPECT_EQ(three[0], 150);  // at the end the window holds two beats
  EXPECT_EQ(three[1], 700.0 / 3);
  EXPECT_EQ(three[3], 250);  // the undefined neighbour counts for nothing
  EXPECT_FALSE(IsDefined(three[4]));
  EXPECT_EQ(SmoothOverBeats(values, 2)[2], (0.5 * 200 + 400 + 0.5 * 100) / 2);
}

TEST(BeatTempo, CurveAgainstBarsAndTrajectoryFollowTheBeats) {
  const BeatTempo tempo = MakeBeatTempo(Waltz(), Beat{}, 3);
  const std::vector<ScoreCurvePoint> curve = TempoCurveAgainstBars(tempo, TempoUnit::Bpm, false);
  ASSERT_EQ(curve.size(), 5U);  // the last beat has no tempo
  EXPECT_EQ(curve[1].barPosition, 1);
  EXPECT_EQ(curve[1].value, 100);  // 600 ms per quarter
  EXPECT_NEAR(curve[2].barPosition, 1 + 1.0 / 3, 1e-12);

  const std::vector<TrajectoryPoint> trajectory = TempoLoudnessTrajectory(tempo, TempoUnit::MsPerBeat);
  ASSERT_EQ(trajectory.size(), 4U);  // neither the last beat nor the one without loudness
  EXPECT_EQ(trajectory[1].tempo, (600 + 600 + 600) / 3.0);
  EXPECT_EQ(trajectory[1].loudness, (50 + 60 + 65) / 3.0);
  EXPECT_EQ(TrajectoryPointAt(trajectory, 1799), 2U);
}

}  // namespace
}  // namespace rp
