#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "performance/OnsetAnalysis.h"
#include "performance/global.h"
#include "platform/ProgressThrottle.h"

namespace rp {
namespace {

struct Note {
  bool on;
  double ms;
  int velocity = 64;
};

// Fills the globals as a reader leaves them and runs the analysis.
void Analyse(std::initializer_list<Note> notes) {
  global::ResetToProgramStart();
  global::InitializeEmptyPerformance();
  global::NoteEvents.assign(notes.size() + 1, NoteEvent{});
  std::size_t j = 0;
  for (const Note& n : notes) {
    NoteEvent& e = global::NoteEvents[++j];
    e.IsNoteOn = n.on ? kTrue : kFalse;
    e.TimeMs = n.ms;
    e.NoteVelocity = static_cast<std::uint8_t>(n.velocity);
  }
  global::NoteEventCount = static_cast<std::int32_t>(notes.size());
  AnalyseOnsets();
}

std::vector<double> Onsets() {
  std::vector<double> out;
  for (std::int32_t k = 1; k <= global::PlotEventCount; ++k) out.push_back(global::PlotEvents[k].OnsetMs);
  return out;
}

// Every cluster's first note carries its index, every other note 0, and the
// array reaches 10 all-zero records beyond the count.
void ExpectConsistent() {
  ASSERT_EQ(global::PlotEvents.size(), static_cast<std::size_t>(global::PlotEventCount) + 11);
  for (std::int32_t k = 1; k <= global::PlotEventCount; ++k) {
    EXPECT_EQ(global::NoteEvents[global::PlotEvents[k].FirstNote].ClusterIndex, k);
  }
  std::int32_t carriers = 0;
  for (std::int32_t j = 1; j <= global::NoteEventCount; ++j) carriers += global::NoteEvents[j].ClusterIndex != 0;
  EXPECT_EQ(carriers, global::PlotEventCount);
  for (std::size_t k : {std::size_t{0}, global::PlotEvents.size() - 10, global::PlotEvents.size() - 1}) {
    EXPECT_EQ(global::PlotEvents[k].OnsetMs, 0.0);
    EXPECT_EQ(global::PlotEvents[k].FirstNote, 0);
  }
}

TEST(OnsetAnalysis, ClustersAgainstTheFirstNoteOnOfTheCluster) {
  Analyse({{true, 0}, {true, 30}, {true, 60}, {true, 90}});
  EXPECT_EQ(Onsets(), (std::vector<double>{0, 60}));
  ExpectConsistent();

  Analyse({{true, 0}, {true, 50}, {true, 100.5}});
  EXPECT_EQ(Onsets(), (std::vector<double>{0, 100.5}));  // exactly 50 ms joins, more opens

  // Note-offs change nothing; an earlier note-on joins the current cluster.
  Analyse({{true, 0}, {false, 10}, {true, 40}, {false, 200}, {true, 300}, {true, 280}, {false, 290}, {true, 351}});
  EXPECT_EQ(Onsets(), (std::vector<double>{0, 300, 351}));
  EXPECT_EQ(global::PlotEvents[2].FirstNote, 5);
  EXPECT_EQ(global::NoteEvents[6].ClusterIndex, 0);
  ExpectConsistent();
}

TEST(OnsetAnalysis, IntervalsAndVelocitiesOfThreeEventsFromEachEvent) {
  Analyse({{true, 0, 80}, {true, 10, 127}, {true, 500, 90}, {false, 600}, {true, 1250, 70}, {true, 2250, 100},
           {true, 2500, 60}});
  ASSERT_EQ(global::PlotEventCount, 5);
  const PlotEvent& e1 = global::PlotEvents[1];
  EXPECT_EQ(e1.Interval0, 500);
  EXPECT_EQ(e1.Interval1, 750);
  EXPECT_EQ(e1.Interval2, 1000);
  EXPECT_EQ(e1.Velocity0, 80);  // the first note-on of the chord, not the loudest
  EXPECT_EQ(e1.Velocity1, 90);
  EXPECT_EQ(e1.Velocity2, 70);
  const PlotEvent& e2 = global::PlotEvents[2];
  EXPECT_EQ(e2.Interval0, 750);
  EXPECT_EQ(e2.Interval1, 1000);
  EXPECT_EQ(e2.Interval2, 250);
  for (int k = 3; k <= 5; ++k) {
    const PlotEvent& e = global::PlotEvents[k];
    EXPECT_EQ(e.Interval0 + e.Interval1 + e.Interval2, 0.0) << k;
    EXPECT_EQ(e.Velocity1 + e.Velocity2, 0) << k;
    EXPECT_NE(e.Velocity0, 0) << k;
  }
  EXPECT_EQ(global::PlotEvents[4].FirstNote, 6);
  ExpectConsistent();
}

TEST(OnsetAnalysis, FewOrNoClustersAndRepeatedRuns) {
  Analyse({{true, 0, 80}, {true, 100, 90}, {true, 200, 95}});
  EXPECT_EQ(global::PlotEventCount, 3);
  EXPECT_EQ(global::PlotEvents[1].Velocity1, 0);
  EXPECT_EQ(global::PlotEvents[1].Interval0, 0.0);
  EXPECT_EQ(global::PlotEvents[3].Velocity0, 95);

  Analyse({{false, 0}, {false, 10}});
  EXPECT_EQ(global::PlotEventCount, 0);
  EXPECT_EQ(global::PlotEvents.size(), 11u);
  ExpectConsistent();

  // A second run over the same notes (stale cluster indices) gives the same result.
  Analyse({{true, 0}, {true, 20}, {true, 100}, {true, 120}});
  global::NoteEvents[2].ClusterIndex = 1;
  global::NoteEvents[4].ClusterIndex = 2;
  AnalyseOnsets();
  EXPECT_EQ(Onsets(), (std::vector<double>{0, 100}));
  ExpectConsistent();
}

TEST(OnsetAnalysis, ClearMatricesZeroesUpToTheCounts) {
  global::InitializeEmptyPerformance();
  global::NoteEvents[5].TimeMs = 3;
  global::PlotEvents[5].OnsetMs = 4;
  global::NoteEventCount = 99;  // a count beyond the array is not followed past its end
  clearMatrices();
  EXPECT_EQ(global::NoteEvents[5].TimeMs, 0.0);
  EXPECT_EQ(global::PlotEvents[5].OnsetMs, 0.0);
}

}  // namespace
}  // namespace rp
