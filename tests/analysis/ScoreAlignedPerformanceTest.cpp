// SPDX-License-Identifier: GPL-3.0-or-later
// Score-aligned performances and lists of times as the loader makes them:
// events at score positions, the notes and pedals the replay plays, the
// values for another delay or unit, and the lookup by score position.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "analysis/Reanalysis.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "model/ScoreAlignment.h"
#include "model/ValueKind.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using test::TempDir;

// The current form; a tick is 0.5 ms. An upbeat, a chord whose first two
// notes tie (the earlier line wins) with a grace note played before it and an
// inserted note after it, a position whose only note was deleted, pedals,
// and a line of a kind nobody reads.
constexpr const char* kCurrentForm =
    "info(matchFileVersion,1.0.0).\n"
    "info(piece,Test piece).\n"
    "info(composer,W. A. Mozart).\n"
    "info(midiClockUnits,1000).\n"
    "info(midiClockRate,500000).\n"
    "scoreprop(timeSignature,3/4,1:1,0,0.0).\n"
    "snote(n0,[G,n],4,0:3,0,1/4,-1.0,0.0,[v1])-note(0,67,0,400,60,0,1).\n"
    "snote(n4,[D,n],5,1:1,0,0,0.0,0.0,[v1,grace])-note(4,74,440,470,90,0,1).\n"
    "snote(n1,[C,n],4,1:1,0,1/4,0.0,1.0,[v1])-note(1,60,480,900,70,0,1).\n"
    "snote(n2,[E,n],4,1:1,0,1/4,0.0,1.0,[v1])-note(2,64,480,900,50,0,1).\n"
    "snote(n3,[G,n],3,1:1,0,1/4,0.0,1.0,[v2,arp])-note(3,55,520,900,40,0,1).\n"
    "insertion-note(5,61,700,750,100,0,1).\n"
    "snote(n5,[F,n],4,1:2,0,1/4,1.0,2.0,[v1])-deletion.\n"
    "stime(1:1,0,0.0,0.0,beat).\n"
    "snote(n6,[A,n],4,1:3,0,1/8,2.0,2.5,[v1])-note(6,69,1500,1900,80,0,1).\n"
    "snote(n7,[B,n],4,1:3,1/8,1/8,2.5,3.0,[v1])-note(7,71,1800,2000,81,0,1).\n"
    "snote(n8,[C,n],5,2:1,0,1/4,3.0,4.0,[v1])-note(8,72,2200,2600,82,0,1).\n"
    "sustain(960,127).\n"
    "soft(100,40).\n"
    "sustain(2400,0).\n";

TEST(ScoreAlignedPerformance, EventsAtScorePositions) {
  TempDir dir;
  Performance p = Performance::Empty();
  const LoadResult r = LoadPerformanceFile(dir.Write("current.match", kCurrentForm), p);
  ASSERT_TRUE(r.Ok()) << r.message;
  EXPECT_EQ(r.warning, "");
  ASSERT_EQ(p.source, PerformanceSource::ScoreAligned);
  ASSERT_EQ(p.EventCount(), 5);  // -1, 0, 2, 2.5, 3: nothing at the deleted 1.0
  const double onsets[] = {0, 240, 750, 900, 1100};
  const int velocities[] = {60, 70, 80, 81, 82};
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(p.events[k - 1].onsetMs, onsets[k - 1]) << k;
    EXPECT_EQ(p.events[k - 1].velocity0, velocities[k - 1]) << k;
  }
  // The chord's onset and velocity are C4's (tied with E4 on a later line), not the grace note's.
  const NoteEvent& chord = p.notes[static_cast<std::size_t>(p.events[1].firstNote)];
  EXPECT_EQ(chord.noteKey, 60);
  EXPECT_EQ(chord.opensEvent, 1);
  const ScoreEvent* s = ScoreEventOf(p, 1);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->asynchronyMs, 20);
  EXPECT_EQ(s->barBeat, "1:1");
  EXPECT_EQ(ScoreEventOf(p, 3)->barBeat, "1:3+1/8");
  EXPECT_EQ(ScoreEventOf(p, 0)->onsetBeats, -1.0);
  // Event 1 over score distances 1, 2 and 0.5 beats; past the end for d = 1
  // a beat period is empty where its interval is.
  EXPECT_EQ(ScoreEventOf(p, 2)->beatPeriod0, 300);
  EXPECT_EQ(ScoreEventOf(p, 2)->beatPeriod2, std::nullopt);
  EXPECT_EQ(ScoreEventOf(p, 4)->beatPeriod0, std::nullopt);
  EXPECT_EQ(EventValues(p, 2, ValueKind::Tempo), std::nullopt);
  EXPECT_EQ(EventValues(p, 0, ValueKind::Tempo), (std::array<double, 3>{240, 255, 300}));

  // Every played note sounds: 8 matched (the grace note too) and 1 inserted, in time order.
  int noteOns = 0;
  for (std::int32_t j = 1; j <= p.NoteCount(); ++j) {
    noteOns += p.notes[j - 1].isNoteOn;
    if (j > 1) {
      EXPECT_LE(p.notes[j - 2].timeMs, p.notes[j - 1].timeMs);
    }
  }
  EXPECT_EQ(noteOns, 9);
  ASSERT_EQ(p.controllers.size(), 3u);
  EXPECT_EQ(p.controllers[0].controller, 67);
  EXPECT_EQ(p.controllers[0].timeMs, 50);
  EXPECT_EQ(p.controllers[1].controller, 64);
  EXPECT_EQ(p.controllers[1].value, 127);
  EXPECT_EQ(p.controllers[2].value, 0);

  ASSERT_TRUE(p.score);
  EXPECT_EQ(p.score->piece, "Test piece");
  EXPECT_EQ(p.score->composer, "W. A. Mozart");
  EXPECT_EQ(p.score->timeSignature, "3/4");
  EXPECT_EQ(p.score->otherLines.count, 1);
  EXPECT_EQ(p.score->otherLines.firstLine, 14);

  // Another delay gives other values to the same events; the current one stays.
  ReplayPosition position;
  position.currentEvent = 3;
  ReanalyseKeepingPosition(p, position, AnalysisSettings{50, 2});
  EXPECT_EQ(position.currentEvent, 3);
  EXPECT_EQ(p.EventCount(), 5);
  EXPECT_EQ(p.events[0].interval0, 240) << "5 events hold no complete one for d = 2, but event 1's own interval";
  EXPECT_FALSE(IsDefined(p.events[0].interval2));
  EXPECT_EQ(EventValues(p, 0, ValueKind::Tempo), std::nullopt);
}

// Chopin's Ballade op. 38 in 6/8: its match file counts eighths, the plot
// counts in the time signature's dotted quarter unless another beat or BPM
// is chosen (Vienna 4x22 Piano Corpus, W. Goebl (1999), CC BY 4.0).
TEST(ScoreAlignedPerformance, TempoCountsInTheBeatChosen) {
  const std::string path = std::string(RP_SHARED_DATA_DIR) + "/vienna4x22/match/Chopin_op38_p01.match";
  Performance p = Performance::Empty();
  if (!LoadPerformanceFile(path, p).Ok()) GTEST_SKIP() << "Vienna 4x22 is not at " << path;
  const TempoMeasure eighth{Beat{1, 8, false}, TempoUnit::MsPerBeat};
  const TempoMeasure quarterBpm{Beat{1, 4, false}, TempoUnit::Bpm};
  EXPECT_EQ(ValueKindUnit(ValueKind::Tempo, p), "ms per dotted quarter");
  EXPECT_EQ(ValueKindUnit(ValueKind::Tempo, p, quarterBpm), "BPM (quarter)");
  EXPECT_EQ(TempoQuantity(p, quarterBpm), "tempo in BPM (quarter)");
  std::vector<double> bpm;
  for (std::int32_t k = 0; k < p.EventCount(); ++k) {
    const auto raw = EventValues(p, k, ValueKind::Tempo, eighth);
    if (!raw) continue;
    const auto dotted = EventValues(p, k, ValueKind::Tempo);
    const auto quarter = EventValues(p, k, ValueKind::Tempo, quarterBpm);
    ASSERT_TRUE(dotted && quarter);
    EXPECT_DOUBLE_EQ((*dotted)[1], 3.0 * (*raw)[1]);
    EXPECT_DOUBLE_EQ((*quarter)[2], 60000.0 / (2.0 * (*raw)[2]));
    bpm.push_back(60000.0 / (*dotted)[0]);
  }
  ASSERT_GT(bpm.size(), 100u);
  std::nth_element(bpm.begin(), bpm.begin() + static_cast<std::ptrdiff_t>(bpm.size() / 2), bpm.end());
  // Andantino: a dotted quarter about once a second.
  EXPECT_GT(bpm[bpm.size() / 2], 40.0);
  EXPECT_LT(bpm[bpm.size() / 2], 90.0);
}

TEST(ScoreAlignedPerformance, OlderFormSpellsItsKeys) {
  TempDir dir;
  Performance p = Performance::Empty();
  ASSERT_TRUE(
      LoadPerformanceFile(dir.Write("older.match",
                                    "info(midiClockUnits,4000).\n"
                                    "info(midiClockRate,500000).\n"
                                    "snote(a,[B,#],3,1:1,0,1/4,0,1,[1])-note(0,[B,#],3,800,1600,1600,40).\n"
                                    "snote(b,[c,b],4,1:2,0,1/4,1,2,[1])-note(1,[c,b],4,1600,2400,2400,41).\n"
                                    "snote(c,[e,n],-1,1:3,0,1/4,2,3,[1])-note(2,[e,n],-1,2400,2800,2800,42).\n"),
                          p)
          .Ok());
  ASSERT_EQ(p.EventCount(), 3);
  EXPECT_EQ(p.events[0].onsetMs, 100);
  EXPECT_EQ(p.notes[static_cast<std::size_t>(p.events[0].firstNote)].noteKey, 60);
  EXPECT_EQ(p.notes[static_cast<std::size_t>(p.events[1].firstNote)].noteKey, 59);
  EXPECT_EQ(p.notes[static_cast<std::size_t>(p.events[2].firstNote)].noteKey, 4);
}

TEST(ScoreAlignedPerformance, ComparedByScorePosition) {
  TempDir dir;
  Performance main = Performance::Empty();
  Performance other = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("a.match", kCurrentForm), main).Ok());
  // The same piece with the upbeat deleted: every later event moves up one number.
  std::string withoutUpbeat = kCurrentForm;
  withoutUpbeat.replace(withoutUpbeat.find("-note(0,67"), std::string("-note(0,67,0,400,60,0,1)").size(), "-deletion");
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("b.match", withoutUpbeat), other).Ok());
  EXPECT_TRUE(SameScorePiece(main, other));
  EXPECT_EQ(EventAtScorePosition(other, ScoreEventOf(main, 0)->onsetBeats), std::nullopt) << "the deleted upbeat";
  EXPECT_EQ(EventAtScorePosition(other, ScoreEventOf(main, 2)->onsetBeats), 1);
  EXPECT_EQ(EventAtScorePosition(other, ScoreEventOf(main, main.EventCount() - 1)->onsetBeats), other.EventCount() - 1)
      << "the last event";
  EXPECT_EQ(EventAtScorePosition(other, 2.5 + 5e-7), 2);
  EXPECT_EQ(EventAtScorePosition(other, 1.0), std::nullopt) << "the deleted position";
  EXPECT_EQ(EventAtScorePosition(other, 99.0), std::nullopt);
}

// A tick is 0.5 ms. The melody (v1) over an accompaniment (v2): leads of
// 20, -10, 15, none (one note), 15, 5 and none (no melody note), spreads of
// 20, 20, 15, none, 25, 5 and 10 ms.
constexpr const char* kChords =
    "info(midiClockUnits,1000).\n"
    "info(midiClockRate,500000).\n"
    "scoreprop(timeSignature,3/4,1:1,0,0.0).\n"
    "snote(a1,[C,n],5,1:1,0,1/4,0.0,1.0,[v1])-note(1,72,0,900,70,0,1).\n"
    "snote(a2,[C,n],4,1:1,0,1/4,0.0,1.0,[v2])-note(2,60,40,900,50,0,1).\n"
    "snote(b1,[D,n],5,1:2,0,1/4,1.0,2.0,[v1])-note(3,74,1000,1900,70,0,1).\n"
    "snote(b2,[D,n],4,1:2,0,1/4,1.0,2.0,[v2])-note(4,62,960,1900,50,0,1).\n"
    "snote(b3,[G,n],3,1:2,0,1/4,1.0,2.0,[v2])-note(5,55,1000,1900,50,0,1).\n"
    "snote(c1,[E,n],5,1:3,0,1/4,2.0,3.0,[v1])-note(6,76,2000,2900,70,0,1).\n"
    "snote(c2,[E,n],4,1:3,0,1/4,2.0,3.0,[v2])-note(7,64,2030,2900,50,0,1).\n"
    "snote(d1,[F,n],5,2:1,0,1/4,3.0,4.0,[v1])-note(8,77,3000,3900,70,0,1).\n"
    "snote(e1,[G,n],5,2:2,0,1/4,4.0,5.0,[v1])-note(9,79,4000,4900,70,0,1).\n"
    "snote(e2,[G,n],4,2:2,0,1/4,4.0,5.0,[v2])-note(10,67,4010,4900,50,0,1).\n"
    "snote(e3,[C,n],4,2:2,0,1/4,4.0,5.0,[v2])-note(11,60,4050,4900,50,0,1).\n"
    "snote(f1,[C,n],5,2:3,0,1/4,5.0,6.0,[v1])-note(12,72,5000,5900,70,0,1).\n"
    "snote(f2,[C,n],4,2:3,0,1/4,5.0,6.0,[v2])-note(13,60,5010,5900,50,0,1).\n"
    "snote(g1,[C,n],4,3:1,0,1/4,6.0,7.0,[v2])-note(14,60,6000,6900,50,0,1).\n"
    "snote(g2,[E,n],4,3:1,0,1/4,6.0,7.0,[v2])-note(15,64,6020,6900,50,0,1).\n";

TEST(ScoreAlignedPerformance, MelodyLeadAndSpreadOfEventsNDAndTwoD) {
  TempDir dir;
  Performance p = Performance::Empty();
  const std::string file = dir.Write("chords.match", kChords);
  ASSERT_TRUE(LoadPerformanceFile(file, p).Ok());
  ASSERT_EQ(p.EventCount(), 7);
  EXPECT_EQ(ValueKindUnavailable(p, ValueKind::MelodyLead), "");
  EXPECT_EQ(ValueKindUnavailable(p, ValueKind::Spread), "");
  EXPECT_EQ(ValueKindUnit(ValueKind::MelodyLead, p), "ms");
  EXPECT_EQ(EventValues(p, 0, ValueKind::MelodyLead), (std::array<double, 3>{20, -10, 15}));
  EXPECT_EQ(EventValues(p, 0, ValueKind::Spread), (std::array<double, 3>{20, 20, 15}));
  // The position of one note has neither value, the one without a melody note no lead.
  EXPECT_EQ(EventValues(p, 1, ValueKind::MelodyLead), std::nullopt);
  EXPECT_EQ(EventValues(p, 1, ValueKind::Spread), std::nullopt);
  EXPECT_EQ(EventValues(p, 4, ValueKind::MelodyLead), std::nullopt);
  EXPECT_EQ(EventValues(p, 4, ValueKind::Spread), (std::array<double, 3>{25, 5, 10}));
  EXPECT_EQ(EventValues(p, 5, ValueKind::Spread), std::nullopt) << "past the last event";

  // Another delay reads events n, n + 2 and n + 4; the notes are not measured again.
  Reanalyse(p, AnalysisSettings{50, 2});
  EXPECT_EQ(EventValues(p, 0, ValueKind::MelodyLead), (std::array<double, 3>{20, 15, 15}));
  EXPECT_EQ(EventValues(p, 2, ValueKind::Spread), (std::array<double, 3>{15, 25, 10}));
  EXPECT_EQ(EventValues(p, 1, ValueKind::MelodyLead), std::nullopt);
  EXPECT_EQ(EventValues(p, 3, ValueKind::Spread), std::nullopt);

  // Without voices (staffs only) the spread stays and the lead says why not.
  std::string staffs = kChords;
  for (const std::string voice : {"[v1]", "[v2]"}) {
    for (std::size_t at = staffs.find(voice); at != std::string::npos; at = staffs.find(voice))
      staffs.replace(at, voice.size(), "[staff1]");
  }
  Performance q = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("staffs.match", staffs), q).Ok());
  EXPECT_NE(ValueKindUnavailable(q, ValueKind::MelodyLead).find("voices"), std::string_view::npos);
  EXPECT_EQ(EventValues(q, 0, ValueKind::MelodyLead), std::nullopt);
  EXPECT_EQ(EventValues(q, 0, ValueKind::Spread), (std::array<double, 3>{20, 20, 15}));
  // A list of times has no chords.
  Performance times = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("taps.txt", "0.5\n1.0\n1.6\n2.0\n"), times).Ok());
  EXPECT_NE(ValueKindUnavailable(times, ValueKind::Spread).find("aligned to its score"), std::string_view::npos);
  EXPECT_EQ(EventValues(times, 0, ValueKind::Spread), std::nullopt);
}

TEST(ScoreAlignedPerformance, ListOfTimesClicksWithoutVelocity) {
  TempDir dir;
  Performance p = Performance::Empty();
  const LoadResult r = LoadPerformanceFile(dir.Write("taps.txt", "2\n# tapped\n1\n1\n3.5\n"), p);
  ASSERT_TRUE(r.Ok()) << r.message;
  EXPECT_NE(r.warning.find("not in order"), std::string::npos);
  ASSERT_EQ(p.EventCount(), 4) << "one event per time, equal times too";
  EXPECT_EQ(p.events[0].onsetMs, 1000);
  EXPECT_EQ(p.events[1].onsetMs, 1000);
  EXPECT_EQ(p.events[3].onsetMs, 3500);
  EXPECT_FALSE(HasVelocity(p));
  EXPECT_FALSE(ValueKindUnavailable(p, ValueKind::Velocity).empty());
  for (std::int32_t k = 1; k <= 4; ++k) {
    const NoteEvent& click = p.notes[static_cast<std::size_t>(p.events[k - 1].firstNote)];
    EXPECT_TRUE(click.isNoteOn);
    EXPECT_EQ(click.channel, 9);
    EXPECT_EQ(click.noteKey, 76);
    EXPECT_EQ(click.timeMs, p.events[k - 1].onsetMs);
  }
  // The same numbers read as ms.
  Reanalyse(p, AnalysisSettings{50, 1, TimesUnit::Milliseconds});
  EXPECT_EQ(p.events[3].onsetMs, 3.5);
  EXPECT_EQ(p.events[2].interval0, 1.5);
  EXPECT_FALSE(IsDefined(p.events[3].interval0));
  EXPECT_EQ(p.events[0].interval1, 1);
  EXPECT_EQ(p.notes[static_cast<std::size_t>(p.events[3].firstNote)].timeMs, 3.5);
}

}  // namespace
}  // namespace rp
