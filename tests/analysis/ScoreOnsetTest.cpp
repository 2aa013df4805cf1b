// SPDX-License-Identifier: GPL-3.0-or-later
// The onset that stands for a score position (earliest, mean, melody,
// highest) and the warning that the cluster window splits spread chords.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/ChordSplitting.h"
#include "analysis/PerformanceLoader.h"
#include "analysis/Reanalysis.h"
#include "model/Performance.h"
#include "model/ScoreAlignment.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using test::TempDir;

// A tick is 1 ms. Position 0: voice 2 leads the melody (voice 1), and a
// voice-3 note above the melody makes the highest key another note.
// Position 1 has no voice 1: its melody is its highest key.
constexpr const char* kChords =
    "info(midiClockUnits,1000).\n"
    "info(midiClockRate,1000000).\n"
    "scoreprop(timeSignature,2/4,1:1,0,0.0).\n"
    "snote(a,[G,n],4,1:1,0,1/4,0.0,1.0,[v1])-note(0,67,1030,1400,70,0,1).\n"
    "snote(b,[C,n],4,1:1,0,1/4,0.0,1.0,[v2])-note(1,60,1000,1400,40,0,1).\n"
    "snote(c,[C,n],5,1:1,0,1/4,0.0,1.0,[v3])-note(2,72,1020,1400,50,0,1).\n"
    "snote(d,[E,n],4,1:2,0,1/4,1.0,2.0,[v2])-note(3,64,2000,2400,60,0,1).\n"
    "snote(e,[G,n],4,1:2,0,1/4,1.0,2.0,[v3])-note(4,67,2010,2400,80,0,1).\n"
    "snote(f,[C,n],5,2:1,0,1/4,2.0,3.0,[v1])-note(5,72,3000,3400,90,0,1).\n";

TEST(ScoreOnset, EachChoiceTakesItsNoteAndVelocity) {
  TempDir dir;
  Performance p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("chords.match", kChords), p).Ok());
  ASSERT_EQ(p.EventCount(), 3);
  struct Case {
    ScoreOnset choice;
    double onset0, velocity0, onset1, velocity1;
  };
  for (const Case c :
       {Case{ScoreOnset::Earliest, 1000, 40, 2000, 60}, Case{ScoreOnset::Mean, 3050.0 / 3, 160.0 / 3, 2005, 70},
        Case{ScoreOnset::Melody, 1030, 70, 2010, 80}, Case{ScoreOnset::Highest, 1020, 50, 2010, 80}}) {
    AnalysisSettings settings = p.settings;
    settings.scoreOnset = c.choice;
    Reanalyse(p, settings);
    SCOPED_TRACE(std::string(ScoreOnsetName(c.choice)));
    EXPECT_NEAR(p.events[0].onsetMs, c.onset0, 1e-9);
    EXPECT_NEAR(p.events[0].velocity0, c.velocity0, 1e-9);
    EXPECT_EQ(p.events[1].onsetMs, c.onset1);
    EXPECT_NEAR(p.events[1].velocity0, c.velocity1, 1e-9);
    // The tempo follows the chosen onsets; the event still opens with its earliest note.
    EXPECT_NEAR(*ScoreEventOf(p, 0)->beatPeriod0, c.onset1 - c.onset0, 1e-9);
    EXPECT_EQ(p.notes[static_cast<std::size_t>(p.events[0].firstNote)].noteKey, 60);
  }
  // Another event velocity keeps the earliest note's velocity.
  AnalysisSettings loudest = p.settings;
  loudest.eventVelocity = EventVelocity::Loudest;
  Reanalyse(p, loudest);
  EXPECT_EQ(p.events[0].onsetMs, 1020);
  EXPECT_EQ(p.events[0].velocity0, 40);
}

std::string Shared(const std::string& name) { return std::string(RP_SHARED_DATA_DIR) + "/vienna4x22/" + name; }

TEST(ScoreOnset, MelodyOfTheInnerVoiceLeadInChopinOp10No3) {
  const std::string path = Shared("match/Chopin_op10_no3_p01.match");
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << path;
  Performance p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(path, p).Ok());
  const std::optional<std::int32_t> k = EventAtScorePosition(p, 13.25);  // bar 7, beat 2 + 1/16
  ASSERT_TRUE(k.has_value());
  // At 13.5 (beat 2 + 1/8) the inner voice's B3 sounds 136.25 ms before the melody's G#4.
  EXPECT_EQ(ScoreEventOf(p, *k + 1)->asynchronyMs, 136.25);
  EXPECT_EQ(ScoreEventOf(p, *k)->beatPeriod0, 1120);
  AnalysisSettings melody = p.settings;
  melody.scoreOnset = ScoreOnset::Melody;
  Reanalyse(p, melody);
  // 13.25 has no voice 1: its highest key E4 at 32128.75 ms; G#4 (voice 1) at 32523.75 ms, a sixteenth later.
  EXPECT_EQ(ScoreEventOf(p, *k)->beatPeriod0, 1580);
}

TEST(ChordSplitting, WarnsForSpreadChordsOfAMidiFileAtTheDefaultWindowOnly) {
  const std::string path = Shared("midi/Chopin_op10_no3_p01.mid");
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << path;
  Performance p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(path, p).Ok());
  const std::optional<ChordSplitting> found = FindChordSplitting(p);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->shortIntervals, 21);
  EXPECT_EQ(found->intervals, 184);
  const std::string warning = ChordSplittingWarning(p);
  EXPECT_EQ(warning.rfind("21 of 184 intervals between onset events are shorter than 100 ms", 0), 0u) << warning;
  EXPECT_NE(warning.find("analysis settings (--cluster-ms)"), std::string::npos) << warning;
  Reanalyse(p, AnalysisSettings{80, 1});
  EXPECT_EQ(ChordSplittingWarning(p), "");

  Performance aligned = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(Shared("match/Chopin_op10_no3_p01.match"), aligned).Ok());
  EXPECT_FALSE(FindChordSplitting(aligned)) << "a match file's events are not the cluster window's";
}

}  // namespace
}  // namespace rp
