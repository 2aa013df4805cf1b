#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <tuple>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "model/Performance.h"
#include "base/ProgressSink.h"
#include "base/ProgressThrottle.h"

namespace rp {
namespace {

struct Note {
  bool on;
  double ms;
  int velocity = 64;
};

// A performance as a reader leaves it, analysed with `settings`.
Performance Analyse(std::initializer_list<Note> notes, AnalysisSettings settings = {}) {
  Performance p = Performance::BeforeFirstFile(settings);
  p.NoteEvents.assign(notes.size() + 1, NoteEvent{});
  std::size_t j = 0;
  for (const Note& n : notes) {
    NoteEvent& e = p.NoteEvents[++j];
    e.IsNoteOn = n.on;
    e.TimeMs = n.ms;
    e.NoteVelocity = static_cast<std::uint8_t>(n.velocity);
  }
  p.NoteEventCount = static_cast<std::int32_t>(notes.size());
  AnalyseOnsets(p);
  return p;
}

std::vector<double> Onsets(const Performance& p) {
  std::vector<double> out;
  for (std::int32_t k = 1; k <= p.PlotEventCount; ++k) out.push_back(p.PlotEvents[k].OnsetMs);
  return out;
}

// Every cluster's first note carries its index, every other note 0, and the
// array reaches 10 all-zero records beyond the count.
void ExpectConsistent(const Performance& p) {
  ASSERT_EQ(p.PlotEvents.size(), static_cast<std::size_t>(p.PlotEventCount) + 11);
  for (std::int32_t k = 1; k <= p.PlotEventCount; ++k) {
    EXPECT_EQ(p.NoteEvents[p.PlotEvents[k].FirstNote].ClusterIndex, k);
  }
  std::int32_t carriers = 0;
  for (std::int32_t j = 1; j <= p.NoteEventCount; ++j) carriers += p.NoteEvents[j].ClusterIndex != 0;
  EXPECT_EQ(carriers, p.PlotEventCount);
  for (std::size_t k : {std::size_t{0}, p.PlotEvents.size() - 10, p.PlotEvents.size() - 1}) {
    EXPECT_EQ(p.PlotEvents[k].OnsetMs, 0.0);
    EXPECT_EQ(p.PlotEvents[k].FirstNote, 0);
  }
}

TEST(OnsetAnalysis, ClustersAgainstTheFirstNoteOnOfTheCluster) {
  Performance p = Analyse({{true, 0}, {true, 30}, {true, 60}, {true, 90}});
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 60}));
  ExpectConsistent(p);

  p = Analyse({{true, 0}, {true, 50}, {true, 100.5}});
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 100.5}));  // exactly 50 ms joins, more opens

  // Note-offs change nothing; an earlier note-on joins the current cluster.
  p = Analyse({{true, 0}, {false, 10}, {true, 40}, {false, 200}, {true, 300}, {true, 280}, {false, 290}, {true, 351}});
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 300, 351}));
  EXPECT_EQ(p.PlotEvents[2].FirstNote, 5);
  EXPECT_EQ(p.NoteEvents[6].ClusterIndex, 0);
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, IntervalsAndVelocitiesOfThreeEventsFromEachEvent) {
  Performance p = Analyse({{true, 0, 80}, {true, 10, 127}, {true, 500, 90}, {false, 600}, {true, 1250, 70},
                           {true, 2250, 100}, {true, 2500, 60}});
  ASSERT_EQ(p.PlotEventCount, 5);
  const PlotEvent& e1 = p.PlotEvents[1];
  EXPECT_EQ(e1.Interval0, 500);
  EXPECT_EQ(e1.Interval1, 750);
  EXPECT_EQ(e1.Interval2, 1000);
  EXPECT_EQ(e1.Velocity0, 80);  // the first note-on of the chord, not the loudest
  EXPECT_EQ(e1.Velocity1, 90);
  EXPECT_EQ(e1.Velocity2, 70);
  const PlotEvent& e2 = p.PlotEvents[2];
  EXPECT_EQ(e2.Interval0, 750);
  EXPECT_EQ(e2.Interval1, 1000);
  EXPECT_EQ(e2.Interval2, 250);
  for (int k = 3; k <= 5; ++k) {
    const PlotEvent& e = p.PlotEvents[k];
    EXPECT_EQ(e.Interval0 + e.Interval1 + e.Interval2, 0.0) << k;
    EXPECT_EQ(e.Velocity1 + e.Velocity2, 0) << k;
    EXPECT_NE(e.Velocity0, 0) << k;
  }
  EXPECT_EQ(p.PlotEvents[4].FirstNote, 6);
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, FewOrNoClustersAndRepeatedRuns) {
  Performance p = Analyse({{true, 0, 80}, {true, 100, 90}, {true, 200, 95}});
  EXPECT_EQ(p.PlotEventCount, 3);
  EXPECT_EQ(p.PlotEvents[1].Velocity1, 0);
  EXPECT_EQ(p.PlotEvents[1].Interval0, 0.0);
  EXPECT_EQ(p.PlotEvents[3].Velocity0, 95);

  p = Analyse({{false, 0}, {false, 10}});
  EXPECT_EQ(p.PlotEventCount, 0);
  EXPECT_EQ(p.PlotEvents.size(), 11u);
  ExpectConsistent(p);

  // A second run over the same notes (stale cluster indices) gives the same result.
  p = Analyse({{true, 0}, {true, 20}, {true, 100}, {true, 120}});
  p.NoteEvents[2].ClusterIndex = 1;
  p.NoteEvents[4].ClusterIndex = 2;
  AnalyseOnsets(p);
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 100}));
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, ZeroUpToCountsStopsAtTheArrays) {
  Performance p = Performance::BeforeFirstFile();
  p.NoteEvents[5].TimeMs = 3;
  p.PlotEvents[5].OnsetMs = 4;
  p.NoteEventCount = 99;  // a count beyond the array is not followed past its end
  p.ZeroUpToCounts();
  EXPECT_EQ(p.NoteEvents[5].TimeMs, 0.0);
  EXPECT_EQ(p.PlotEvents[5].OnsetMs, 0.0);
}

TEST(OnsetAnalysis, ClusterWindowAndDelayComeFromTheSettings) {
  AnalysisSettings narrow;
  narrow.ClusterWindowMs = 20;
  Performance p = Analyse({{true, 0}, {true, 30}, {true, 45}}, narrow);
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 30}));
  ExpectConsistent(p);

  // Delay 2: event n against events n + 2 and n + 4; the last five keep zeros.
  AnalysisSettings delayed;
  delayed.Delay = 2;
  p = Analyse({{true, 0, 1}, {true, 100, 2}, {true, 300, 3}, {true, 600, 4}, {true, 1000, 5}, {true, 1500, 6},
               {true, 2100, 7}},
              delayed);
  ASSERT_EQ(p.PlotEventCount, 7);
  EXPECT_EQ(p.PlotEvents[1].Interval0, 100);
  EXPECT_EQ(p.PlotEvents[1].Interval1, 300);
  EXPECT_EQ(p.PlotEvents[1].Interval2, 500);
  EXPECT_EQ(p.PlotEvents[2].Velocity1, 4);
  EXPECT_EQ(p.PlotEvents[2].Velocity2, 6);
  EXPECT_EQ(p.PlotEvents[3].Interval0, 0.0);
  EXPECT_EQ(p.PlotEvents[3].Velocity1, 0);
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, ClusterWindowEdgesAndDelaysBeyondThePerformance) {
  const auto window = [](double ms) {
    AnalysisSettings s;
    s.ClusterWindowMs = ms;
    return s;
  };
  // Window 0: only note-ons at the very same time make one event.
  Performance p = Analyse({{true, 0}, {true, 0}, {true, 0.001}, {true, 5}, {true, 5}}, window(0));
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 0.001, 5}));
  ExpectConsistent(p);
  // A chord straddling the window: the notes after it open the next event,
  // which takes the rest of the chord in.
  p = Analyse({{true, 100}, {true, 120}, {true, 150}, {true, 151}, {true, 170}, {true, 202}}, window(50));
  EXPECT_EQ(Onsets(p), (std::vector<double>{100, 151, 202}));
  // Decimals: 12.5 ms joins, anything more opens.
  p = Analyse({{true, 0}, {true, 12.5}, {true, 25.0001}}, window(12.5));
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 25.0001}));

  // d = 3 over 8 events: only event 1 reaches event 1 + 2d + 1; with 2d + 1
  // events or fewer every event keeps zeros and the arrays stay in bounds.
  AnalysisSettings delayed;
  delayed.Delay = 3;
  p = Analyse({{true, 0, 1}, {true, 100, 2}, {true, 300, 3}, {true, 600, 4}, {true, 1000, 5}, {true, 1500, 6},
               {true, 2100, 7}, {true, 2800, 8}},
              delayed);
  ASSERT_EQ(p.PlotEventCount, 8);
  EXPECT_EQ(p.PlotEvents[1].Interval1, 400);  // onset 5 - onset 4
  EXPECT_EQ(p.PlotEvents[1].Interval2, 700);  // onset 8 - onset 7
  EXPECT_EQ(p.PlotEvents[1].Velocity1, 4);
  EXPECT_EQ(p.PlotEvents[1].Velocity2, 7);
  for (int k = 2; k <= 8; ++k) EXPECT_EQ(p.PlotEvents[k].Interval0 + p.PlotEvents[k].Velocity1, 0) << k;
  delayed.Delay = 50;
  p = Analyse({{true, 0}, {true, 100}, {true, 200}}, delayed);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(p.PlotEvents[k].Interval0, 0.0) << k;
  ExpectConsistent(p);
}

// Without a progress display the analysis runs in one walk; with one, in the
// passes the display shows. Both must make the same events.
TEST(OnsetAnalysis, OneWalkAndShownPassesMakeTheSameEvents) {
  std::mt19937 random(3);
  Performance notes = Performance::BeforeFirstFile();
  notes.NoteEvents.assign(3001, NoteEvent{});
  double ms = 0;
  for (std::size_t j = 1; j < notes.NoteEvents.size(); ++j) {
    ms += static_cast<double>(random() % 60);
    notes.NoteEvents[j].TimeMs = ms;
    notes.NoteEvents[j].IsNoteOn = random() % 3 != 0;
    notes.NoteEvents[j].NoteVelocity = static_cast<std::uint8_t>(random() % 128);
    notes.NoteEvents[j].ClusterIndex = 99;  // left over from an earlier analysis
  }
  for (std::int32_t count : {0, 1, 5, 3000}) {
    for (double window : {0.0, 25.0, 70.0}) {
      for (int delay : {1, 2, 7}) {
        Performance walked = notes;
        walked.NoteEventCount = count;
        walked.Settings.ClusterWindowMs = window;
        walked.Settings.Delay = delay;
        Performance passed = walked;
        AnalyseOnsets(walked);
        NullProgressSink sink;
        ProgressThrottle shown(sink);
        AnalyseOnsets(passed, &shown);
        ExpectConsistent(walked);
        ASSERT_EQ(walked.PlotEventCount, passed.PlotEventCount);
        for (std::size_t k = 0; k < passed.PlotEvents.size(); ++k) {
          const PlotEvent& a = walked.PlotEvents[k];
          const PlotEvent& b = passed.PlotEvents[k];
          ASSERT_EQ(std::tie(a.OnsetMs, a.Interval0, a.Interval1, a.Interval2, a.Velocity0, a.Velocity1, a.Velocity2,
                             a.FirstNote),
                    std::tie(b.OnsetMs, b.Interval0, b.Interval1, b.Interval2, b.Velocity0, b.Velocity1, b.Velocity2,
                             b.FirstNote))
              << count << " " << window << " " << delay << " event " << k;
        }
        for (std::int32_t j = 1; j <= count; ++j) ASSERT_EQ(walked.NoteEvents[j].ClusterIndex, passed.NoteEvents[j].ClusterIndex);
      }
    }
  }
}

}  // namespace
}  // namespace rp
