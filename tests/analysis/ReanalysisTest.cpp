// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/OnsetAnalysis.h"
#include "analysis/Reanalysis.h"
#include "model/AnalysisSettings.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"

namespace rp {
namespace {

// Note-ons at these times (ms), analysed with the defaults.
Performance NoteOnsAt(std::initializer_list<double> times) {
  Performance p;
  for (double t : times) {
    NoteEvent& n = p.notes.emplace_back();
    n.isNoteOn = true;
    n.timeMs = t;
    n.noteVelocity = static_cast<std::uint8_t>(p.notes.size());
  }
  AnalyseOnsets(p);
  return p;
}

TEST(Reanalysis, KeepsTheNotesAndTheCurrentEventsOnset) {
  Performance p = NoteOnsAt({0, 40, 100, 130, 300, 330, 600});
  ASSERT_EQ(p.EventCount(), 4);  // 0, 100, 300, 600
  ReplayPosition position;
  position.currentEvent = 2;  // onset 300

  AnalysisSettings narrow;
  narrow.clusterWindowMs = 20;
  narrow.delay = 2;
  ReanalyseKeepingPosition(p, position, narrow);
  EXPECT_EQ(p.settings, narrow);
  EXPECT_EQ(p.EventCount(), 7);
  EXPECT_EQ(p.NoteCount(), 7);
  EXPECT_EQ(p.notes[4].timeMs, 300.0);
  EXPECT_EQ(position.currentEvent, 4) << "the event at 300 ms";
  EXPECT_EQ(p.events[0].interval1, 30.0) << "d = 2: onset 4 - onset 3";

  // A wider window swallows the event at 330 ms: the one that took it in.
  position.currentEvent = 5;
  AnalysisSettings wide;
  wide.clusterWindowMs = 200;
  ReanalyseKeepingPosition(p, position, wide);
  EXPECT_EQ(p.EventCount(), 3);  // 0, 300, 600
  EXPECT_EQ(position.currentEvent, 1);

  // Before any event, and with none at all: event 1.
  EXPECT_EQ(EventAtOrBefore(p, -5), 0);
  EXPECT_EQ(EventAtOrBefore(p, 1e9), 2);
  EXPECT_EQ(EventAtOrBefore(Performance{}, 10), 0);
  position.currentEvent.reset();
  ReanalyseKeepingPosition(p, position, AnalysisSettings{});
  EXPECT_EQ(position.currentEvent, 0);
}

TEST(Reanalysis, SettingsNoteOnlyForValuesOffTheDefaults) {
  EXPECT_EQ(AnalysisSettingsNote({}), "");
  EXPECT_EQ(AnalysisSettingsNote({30, 3, {}}), "d = 3, cluster 30 ms");
  EXPECT_EQ(AnalysisSettingsNote({12.5, 1, {}}), "cluster 12.5 ms");
  EXPECT_EQ(AnalysisSettingsNote({50, 2, {}}), "d = 2");
  AnalysisSettings chosen;
  chosen.eventVelocity = EventVelocity::Highest;
  EXPECT_EQ(AnalysisSettingsNote(chosen), "velocity of the highest key");
  chosen.delay = 2;
  chosen.eventVelocity = EventVelocity::Loudest;
  EXPECT_EQ(AnalysisSettingsNote(chosen), "d = 2, velocity of the loudest note");
  EXPECT_TRUE(IsValidClusterWindow(0) && IsValidClusterWindow(1000) && IsValidDelay(1) && IsValidDelay(50));
  EXPECT_FALSE(IsValidClusterWindow(-0.001) || IsValidClusterWindow(1000.5) || IsValidClusterWindow(std::nan("")));
  EXPECT_FALSE(IsValidDelay(0) || IsValidDelay(51));
}

}  // namespace
}  // namespace rp
