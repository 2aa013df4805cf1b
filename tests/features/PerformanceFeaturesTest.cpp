// SPDX-License-Identifier: GPL-3.0-or-later
// What performances give beyond their onsets: a chord's spread and melody
// lead, the key overlap of the melody and lowest lines, the pedals, for a
// small match file whose values are worked out by hand, a MIDI performance's
// onset clusters, and the two Chopin excerpts of the Vienna 4x22 Piano
// Corpus (W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "analysis/PerformanceLoader.h"
#include "features/PedalUse.h"
#include "features/PerformanceFeatures.h"
#include "model/Performance.h"
#include "support/TempDir.h"

namespace rp {
namespace {

using test::TempDir;

// A tick is 1 ms. Position 1:1 has the melody (voice 1, key 67) 30 ms
// before the mean of its two other notes; 1:2 has no voice 1; 2:1 is a
// melody note alone; 2:2 is an arpeggio. The melody line (1:1, 2:1, 2:2)
// overlaps by +100 ms, then leaves a gap of 300 ms. The sustain pedal is
// down from 1200 to 2600.
constexpr const char* kPiece =
    "info(midiClockUnits,1000).\n"
    "info(midiClockRate,1000000).\n"
    "scoreprop(timeSignature,2/4,1:1,0,0.0).\n"
    "snote(a,[G,n],4,1:1,0,1/4,0.0,1.0,[v1])-note(0,67,1000,3100,70,0,1).\n"
    "snote(b,[C,n],4,1:1,0,1/4,0.0,1.0,[v2])-note(1,60,1020,1500,40,0,1).\n"
    "snote(c,[E,n],3,1:1,0,1/4,0.0,1.0,[v3])-note(2,52,1040,2100,60,0,1).\n"
    "snote(d,[E,n],4,1:2,0,1/4,1.0,2.0,[v2])-note(3,64,2000,2400,60,0,1).\n"
    "snote(e,[G,n],3,1:2,0,1/4,1.0,2.0,[v3])-note(4,55,2010,2400,80,0,1).\n"
    "snote(f,[C,n],5,2:1,0,1/4,2.0,3.0,[v1])-note(5,72,3000,3800,90,0,1).\n"
    "snote(g,[D,n],5,2:2,0,1/4,3.0,4.0,[v1,arp])-note(6,74,4100,4500,50,0,1).\n"
    "snote(h,[D,n],3,2:2,0,1/4,3.0,4.0,[v3,arp])-note(7,50,4000,4500,50,0,1).\n"
    "sustain(1200,100).\n"
    "sustain(2600,0).\n";

double At(const std::vector<EventFeatures>& events, std::size_t k, double EventFeatures::*value) {
  return events.at(k).*value;
}

TEST(PerformanceFeatures, ChordsLinesAndPedalOfAMatchFile) {
  TempDir dir;
  Performance p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(dir.Write("piece.match", kPiece), p).Ok());
  const PerformanceFeatures f = FeaturesOf(p);
  ASSERT_EQ(f.events.size(), 4U);
  EXPECT_TRUE(f.voices);
  EXPECT_TRUE(f.melodyMissing.empty());
  const auto& e = f.events;

  // 1:1: melody 67 at 1000; others at 1020 and 1040 (mean 1030), velocities 40 and 60.
  EXPECT_EQ(e[0].barBeat, "1:1");
  EXPECT_EQ(e[0].notes, 3);
  EXPECT_EQ(e[0].melodyKey, 67);
  EXPECT_TRUE(e[0].melodyByVoice);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::melodyLeadMs), 30.0);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::spreadMs), 40.0);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::velocityDifference), 20.0);
  // 1:2 has a spread but, without a melody note, no lead and no velocity difference.
  EXPECT_DOUBLE_EQ(At(e, 1, &EventFeatures::spreadMs), 10.0);
  EXPECT_FALSE(e[1].melodyByVoice);
  EXPECT_FALSE(IsDefined(e[1].melodyLeadMs));
  EXPECT_FALSE(IsDefined(e[1].velocityDifference));
  // A note alone has none of the three; the arpeggio a spread and no lead.
  EXPECT_FALSE(IsDefined(e[2].spreadMs) || IsDefined(e[2].melodyLeadMs));
  EXPECT_DOUBLE_EQ(At(e, 3, &EventFeatures::spreadMs), 100.0);
  EXPECT_FALSE(IsDefined(e[3].melodyLeadMs));

  // The melody line skips 1:2: 67 (1000-3100) overlaps 72 (at 3000) by 100 ms
  // over an interval of 2000; 72 (to 3800) leaves 300 ms before 74 (4100).
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::overlapMs), 100.0);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::overlapRatio), 0.05);
  EXPECT_FALSE(IsDefined(e[1].overlapMs));
  EXPECT_DOUBLE_EQ(At(e, 2, &EventFeatures::overlapMs), -300.0);
  EXPECT_DOUBLE_EQ(At(e, 2, &EventFeatures::overlapRatio), -300.0 / 1100.0);
  EXPECT_FALSE(IsDefined(e[3].overlapMs));
  // The lowest line: 52 (1040-2100), 55 (2010-2400), 72 (3000), 50 (4000).
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::lowOverlapMs), 90.0);
  EXPECT_DOUBLE_EQ(At(e, 1, &EventFeatures::lowOverlapMs), -600.0);
  EXPECT_DOUBLE_EQ(At(e, 2, &EventFeatures::lowOverlapMs), -200.0);

  // The sustain pedal (1200-2600) covers 1400 of the melody's 2100 ms, none of 72's.
  ASSERT_EQ(f.sustain.size(), 1U);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::sustainFraction), 1400.0 / 2100.0);
  EXPECT_DOUBLE_EQ(At(e, 2, &EventFeatures::sustainFraction), 0.0);
  EXPECT_DOUBLE_EQ(At(e, 0, &EventFeatures::softFraction), 0.0);
}

// A MIDI performance: the onset clusters are the chords, the highest note
// their melody, each note ended by the next note-off of its key.
TEST(PerformanceFeatures, OnsetClustersOfAMidiPerformance) {
  Performance p = Performance::Empty();
  p.notes.clear();
  const auto note = [&p](double ms, std::uint8_t key, std::uint8_t velocity, bool on) {
    NoteEvent n;
    n.timeMs = ms;
    n.noteKey = key;
    n.noteVelocity = velocity;
    n.isNoteOn = on;
    p.notes.push_back(n);
  };
  note(0, 60, 50, true);
  note(10, 72, 80, true);  // the melody, 10 ms after the other note
  note(20, 72, 0, false);  // a note-off of the melody key (velocity 0)
  note(500, 74, 60, true);
  note(600, 74, 0, false);
  note(650, 60, 0, false);
  p.controllers = {{5, 0, kSustainPedal, 127}, {15, 0, kSustainPedal, 0}};
  AnalyseOnsets(p);
  ASSERT_EQ(p.EventCount(), 2);
  const PerformanceFeatures f = FeaturesOf(p);
  ASSERT_EQ(f.events.size(), 2U);
  EXPECT_FALSE(f.voices);
  EXPECT_FALSE(f.melodyMissing.empty());
  EXPECT_EQ(f.events[0].melodyKey, 72);
  EXPECT_DOUBLE_EQ(f.events[0].melodyLeadMs, -10.0);
  EXPECT_DOUBLE_EQ(f.events[0].spreadMs, 10.0);
  EXPECT_DOUBLE_EQ(f.events[0].velocityDifference, 30.0);
  EXPECT_DOUBLE_EQ(f.events[0].overlapMs, 20.0 - 500.0);
  EXPECT_DOUBLE_EQ(f.events[0].sustainFraction, 0.5);  // 10-20 under the pedal from 5 to 15
  EXPECT_DOUBLE_EQ(f.events[0].lowOverlapMs, 650.0 - 500.0);
  EXPECT_FALSE(IsDefined(f.events[1].spreadMs));
}

TEST(PedalUse, PressesAndTheFractionUnderThem) {
  const std::vector<ControllerEvent> controllers{{100, 0, kSustainPedal, 127},
                                                 {150, 0, kSoftPedal, 127},
                                                 {200, 0, kSustainPedal, 100},
                                                 {300, 0, kSustainPedal, 10},
                                                 {400, 0, kSustainPedal, 64}};
  const std::vector<PedalSpan> spans = PedalSpans(controllers, kSustainPedal, 1000);
  ASSERT_EQ(spans.size(), 2U);
  EXPECT_DOUBLE_EQ(spans[0].downMs, 100);
  EXPECT_DOUBLE_EQ(spans[0].upMs, 300);
  EXPECT_DOUBLE_EQ(spans[1].upMs, 1000);  // still down at the end
  EXPECT_DOUBLE_EQ(FractionUnder(spans, 0, 400), 0.5);
  EXPECT_DOUBLE_EQ(FractionUnder(spans, 250, 450), 0.5);
  EXPECT_DOUBLE_EQ(FractionUnder(spans, 300, 400), 0.0);
  EXPECT_FALSE(IsDefined(FractionUnder(spans, 10, 10)));
  EXPECT_EQ(PedalSpans(controllers, kSoftPedal, 1000).size(), 1U);
}

// The melody of the Chopin excerpts leads its chords by the 20 to 30 ms the
// literature reports, and louder melody notes lead further.
TEST(PerformanceFeatures, MelodyLeadOfTheViennaChopinExcerpts) {
  const std::string folder = RP_SHARED_DATA_DIR "/vienna4x22/match/";
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << folder;
  for (const std::string piece : {"Chopin_op10_no3_p", "Chopin_op38_p"}) {
    double sumOfMeans = 0.0;
    double lead = 0.0, difference = 0.0, leadSquares = 0.0, differenceSquares = 0.0, products = 0.0, n = 0.0;
    for (int pianist = 1; pianist <= 22; ++pianist) {
      Performance p = Performance::Empty();
      const std::string path = folder + piece + (pianist < 10 ? "0" : "") + std::to_string(pianist) + ".match";
      ASSERT_TRUE(LoadPerformanceFile(path, p).Ok()) << path;
      const PerformanceFeatures f = FeaturesOf(p);
      ASSERT_EQ(f.events.size(), p.events.size());
      double sum = 0.0;
      int count = 0;
      for (const EventFeatures& e : f.events) {
        if (!IsDefined(e.melodyLeadMs)) continue;
        sum += e.melodyLeadMs;
        ++count;
        lead += e.melodyLeadMs;
        difference += e.velocityDifference;
        leadSquares += e.melodyLeadMs * e.melodyLeadMs;
        differenceSquares += e.velocityDifference * e.velocityDifference;
        products += e.melodyLeadMs * e.velocityDifference;
        ++n;
      }
      ASSERT_GT(count, 50) << path;
      sumOfMeans += sum / count;
    }
    const double corpusMean = sumOfMeans / 22;
    EXPECT_GT(corpusMean, 20.0) << piece;
    EXPECT_LT(corpusMean, 35.0) << piece;
    const double r = (products - lead * difference / n) /
                     std::sqrt((leadSquares - lead * lead / n) * (differenceSquares - difference * difference / n));
    EXPECT_GT(r, 0.2) << piece;
  }
}

}  // namespace
}  // namespace rp
