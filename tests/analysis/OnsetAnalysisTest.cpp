// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <tuple>
#include <vector>

#include "analysis/OnsetAnalysis.h"
#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "model/Performance.h"
#include "support/EventFields.h"

namespace rp {
namespace {

using Fields = test::EventFields;
using test::FieldsOf;
using test::kNone;

struct Note {
  bool on;
  double ms;
  int velocity = 64;
  int key = 60;
};

// A performance as a reader leaves it, analysed with `settings`.
Performance Analyse(std::initializer_list<Note> notes, AnalysisSettings settings = {}) {
  Performance p = Performance::Empty(settings);
  p.notes.clear();
  for (const Note& n : notes) {
    NoteEvent& e = p.notes.emplace_back();
    e.isNoteOn = n.on;
    e.timeMs = n.ms;
    e.noteVelocity = static_cast<std::uint8_t>(n.velocity);
    e.noteKey = static_cast<std::uint8_t>(n.key);
  }
  AnalyseOnsets(p);
  return p;
}

std::vector<double> Onsets(const Performance& p) {
  std::vector<double> out;
  for (const OnsetEvent& e : p.events) out.push_back(e.onsetMs);
  return out;
}

// Every cluster's first note carries its index, every other note none.
void ExpectConsistent(const Performance& p) {
  for (std::int32_t k = 0; k < p.EventCount(); ++k) {
    const std::int32_t first = p.events[static_cast<std::size_t>(k)].firstNote;
    ASSERT_TRUE(first >= 0 && first < p.NoteCount());
    EXPECT_EQ(p.notes[static_cast<std::size_t>(first)].opensEvent, k);
  }
  std::int32_t carriers = 0;
  for (const NoteEvent& n : p.notes) carriers += n.opensEvent >= 0;
  EXPECT_EQ(carriers, p.EventCount());
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
  EXPECT_EQ(p.events[1].firstNote, 4);
  EXPECT_EQ(p.notes[5].opensEvent, -1);
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, IntervalsAndVelocitiesOfThreeEventsFromEachEvent) {
  Performance p = Analyse({{true, 0, 80},
                           {true, 10, 127},
                           {true, 500, 90},
                           {false, 600},
                           {true, 1250, 70},
                           {true, 2250, 100},
                           {true, 2500, 60}});
  ASSERT_EQ(p.EventCount(), 5);
  const OnsetEvent& e1 = p.events[0];
  EXPECT_EQ(e1.interval0, 500);
  EXPECT_EQ(e1.interval1, 750);
  EXPECT_EQ(e1.interval2, 1000);
  EXPECT_EQ(e1.velocity0, 80);  // the first note-on of the chord, not the loudest
  EXPECT_EQ(e1.velocity1, 90);
  EXPECT_EQ(e1.velocity2, 70);
  const OnsetEvent& e2 = p.events[1];
  EXPECT_EQ(e2.interval0, 750);
  EXPECT_EQ(e2.interval1, 1000);
  EXPECT_EQ(e2.interval2, 250);
  // The last 2d + 1 events: a value whose later event does not exist is
  // undefined, every other one is there.
  EXPECT_EQ(FieldsOf(p.events[2]), (Fields{1000, 250, kNone, 70, 100, 60}));
  EXPECT_EQ(FieldsOf(p.events[3]), (Fields{250, kNone, kNone, 100, 60, kNone}));
  EXPECT_EQ(FieldsOf(p.events[4]), (Fields{kNone, kNone, kNone, 60, kNone, kNone}));
  EXPECT_EQ(p.events[3].firstNote, 5);
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, FewOrNoClustersAndRepeatedRuns) {
  Performance p = Analyse({{true, 0, 80}, {true, 100, 90}, {true, 200, 95}});
  EXPECT_EQ(p.EventCount(), 3);
  EXPECT_EQ(FieldsOf(p.events[0]), (Fields{100, 100, kNone, 80, 90, 95}));
  EXPECT_EQ(p.events[2].velocity0, 95);

  p = Analyse({{false, 0}, {false, 10}});
  EXPECT_EQ(p.EventCount(), 0);
  ExpectConsistent(p);

  // A second run over the same notes (stale cluster indices) gives the same result.
  p = Analyse({{true, 0}, {true, 20}, {true, 100}, {true, 120}});
  p.notes[1].opensEvent = 0;
  p.notes[3].opensEvent = 1;
  AnalyseOnsets(p);
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 100}));
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, ClusterWindowAndDelayComeFromTheSettings) {
  AnalysisSettings narrow;
  narrow.clusterWindowMs = 20;
  Performance p = Analyse({{true, 0}, {true, 30}, {true, 45}}, narrow);
  EXPECT_EQ(Onsets(p), (std::vector<double>{0, 30}));
  ExpectConsistent(p);

  // Delay 2: event n against events n + 2 and n + 4.
  AnalysisSettings delayed;
  delayed.delay = 2;
  p = Analyse(
      {{true, 0, 1}, {true, 100, 2}, {true, 300, 3}, {true, 600, 4}, {true, 1000, 5}, {true, 1500, 6}, {true, 2100, 7}},
      delayed);
  ASSERT_EQ(p.EventCount(), 7);
  EXPECT_EQ(p.events[0].interval0, 100);
  EXPECT_EQ(p.events[0].interval1, 300);
  EXPECT_EQ(p.events[0].interval2, 500);
  EXPECT_EQ(p.events[1].velocity1, 4);
  EXPECT_EQ(p.events[1].velocity2, 6);
  EXPECT_EQ(FieldsOf(p.events[2]), (Fields{300, 500, kNone, 3, 5, 7}));
  EXPECT_EQ(FieldsOf(p.events[4]), (Fields{500, kNone, kNone, 5, 7, kNone}));
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, ClusterWindowEdgesAndDelaysBeyondThePerformance) {
  const auto window = [](double ms) {
    AnalysisSettings s;
    s.clusterWindowMs = ms;
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
  // events or fewer only interval0 and velocity0 are defined.
  AnalysisSettings delayed;
  delayed.delay = 3;
  p = Analyse({{true, 0, 1},
               {true, 100, 2},
               {true, 300, 3},
               {true, 600, 4},
               {true, 1000, 5},
               {true, 1500, 6},
               {true, 2100, 7},
               {true, 2800, 8}},
              delayed);
  ASSERT_EQ(p.EventCount(), 8);
  EXPECT_EQ(p.events[0].interval1, 400);  // onset 5 - onset 4
  EXPECT_EQ(p.events[0].interval2, 700);  // onset 8 - onset 7
  EXPECT_EQ(p.events[0].velocity1, 4);
  EXPECT_EQ(p.events[0].velocity2, 7);
  EXPECT_EQ(FieldsOf(p.events[4]), (Fields{500, kNone, kNone, 5, 8, kNone}));
  delayed.delay = 50;
  p = Analyse({{true, 0}, {true, 100}, {true, 200}}, delayed);
  EXPECT_EQ(FieldsOf(p.events[1]), (Fields{100, kNone, kNone, 64, kNone, kNone}));
  EXPECT_FALSE(IsDefined(p.events[2].interval0));
  ExpectConsistent(p);
}

TEST(OnsetAnalysis, EventVelocityOfTheFirstTheLoudestOrTheHighestNoteOfASpreadChord) {
  // The bass first and soft, the melody's key 1.25 ms later, the loudest
  // inner note last; the key of the melody again, softer, ends the chord.
  const std::initializer_list<Note> notes = {
      {true, 0, 10, 72},   {true, 500, 22, 40}, {false, 501, 0, 72},  {true, 501.25, 54, 64}, {true, 503, 54, 55},
      {true, 515, 80, 52}, {true, 520, 30, 64}, {true, 1000, 70, 60}, {true, 1500},           {true, 2000}};
  for (const auto& [choice, velocity] : {std::pair{EventVelocity::First, 22}, std::pair{EventVelocity::Loudest, 80},
                                         std::pair{EventVelocity::Highest, 54}}) {
    AnalysisSettings settings;
    settings.eventVelocity = choice;
    const Performance p = Analyse(notes, settings);
    ASSERT_EQ(p.EventCount(), 5);
    EXPECT_EQ(p.events[1].velocity0, velocity) << EventVelocityName(choice);
    EXPECT_EQ(p.events[0].velocity1, velocity) << "the value of event n + d";
    EXPECT_EQ(p.events[1].firstNote, 1) << "the event still opens with its first note";
    EXPECT_EQ(p.events[2].velocity0, 70);
  }
}

// Without a progress display the analysis runs in one walk; with one, in the
// passes the display shows. Both must make the same events.
TEST(OnsetAnalysis, OneWalkAndShownPassesMakeTheSameEvents) {
  std::mt19937 random(3);
  Performance notes = Performance::Empty();
  notes.notes.assign(3000, NoteEvent{});
  double ms = 0;
  for (NoteEvent& n : notes.notes) {
    ms += static_cast<double>(random() % 60);
    n.timeMs = ms;
    n.isNoteOn = random() % 3 != 0;
    n.noteVelocity = static_cast<std::uint8_t>(random() % 128);
    n.noteKey = static_cast<std::uint8_t>(random() % 88 + 21);
    n.opensEvent = 99;  // left over from an earlier analysis
  }
  for (std::int32_t count : {0, 1, 5, 3000}) {
    for (double window : {0.0, 25.0, 70.0}) {
      for (int delay : {1, 2, 7}) {
        Performance walked = notes;
        walked.notes.resize(static_cast<std::size_t>(count));
        walked.settings.clusterWindowMs = window;
        walked.settings.delay = delay;
        walked.settings.eventVelocity = static_cast<EventVelocity>(delay % 3);
        Performance passed = walked;
        AnalyseOnsets(walked);
        NullProgressSink sink;
        ProgressThrottle shown(sink);
        AnalyseOnsets(passed, &shown);
        ExpectConsistent(walked);
        ASSERT_EQ(walked.EventCount(), passed.EventCount());
        for (std::size_t k = 0; k < passed.events.size(); ++k) {
          const OnsetEvent& a = walked.events[k];
          const OnsetEvent& b = passed.events[k];
          ASSERT_EQ(std::tie(a.onsetMs, a.firstNote), std::tie(b.onsetMs, b.firstNote)) << k;
          ASSERT_EQ(FieldsOf(a), FieldsOf(b)) << count << " " << window << " " << delay << " event " << k;
        }
        for (std::int32_t j = 0; j < count; ++j) ASSERT_EQ(walked.notes[j].opensEvent, passed.notes[j].opensEvent);
      }
    }
  }
}

}  // namespace
}  // namespace rp
