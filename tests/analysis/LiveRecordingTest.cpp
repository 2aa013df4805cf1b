// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/LiveRecording.h"
#include "io/AsciiMidiWriter.h"

namespace rp {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> Listing(const Performance& p) {
  std::vector<std::string> lines;
  for (std::int32_t j = 1; j <= p.NoteCount(); ++j) lines.push_back(AsciiMidiLine(p.notes[std::size_t(j) - 1]));
  return lines;
}

TEST(LiveRecording, TimesRunFromTheFirstStampRoundedToATenthOfAMillisecondAndOnlyNotesAreKept) {
  LiveRecording live;
  const std::int64_t zero = 5'000'000'123;                     // the input's clock has a zero of its own
  EXPECT_FALSE(live.Add(Bytes{0xB0, 64, 127}, zero));          // pedal: the take's zero
  EXPECT_TRUE(live.Add(Bytes{0x90, 60, 80}, zero + 100'049));  // 100.049 ms
  EXPECT_FALSE(live.Add(Bytes{0xC0, 5}, zero + 150'000));      // ignored
  EXPECT_FALSE(live.Add(Bytes{0xFE}, zero + 160'000));
  EXPECT_TRUE(live.Add(Bytes{0x91, 60, 0}, zero + 360'050));   // velocity 0 on another channel: a note-off
  EXPECT_TRUE(live.Add(Bytes{0x82, 62, 30}, zero + 361'549));  // a note-off keeps its release velocity
  EXPECT_TRUE(live.Add(Bytes{0x80, 64, 20}, zero + 359'000));  // stamped before the last: at the last
  EXPECT_EQ(Listing(live.Take()), (std::vector<std::string>{"1; /* 100 ms */+60 80;", "2; /* 360.1 ms */-60  0;",
                                                            "3; /* 361.5 ms */-62 30;", "4; /* 361.5 ms */-64 20;"}));
  EXPECT_DOUBLE_EQ(live.LastMessageMs(), 361.549);
}

TEST(LiveRecording, EachEventIsFinalOnceTheEventTwoDelaysAndOneLaterBeginsAndMatchesTheFileAnalysis) {
  AnalysisSettings settings;
  settings.delay = 2;
  settings.clusterWindowMs = 30;
  LiveRecording live(settings);
  // Chords (within 30 ms of their first note), note-offs in between, uneven
  // intervals and velocities.
  const double onsets[] = {0, 410, 790, 1300, 1650, 2100, 2400, 3000, 3333, 3900};
  auto at = [&](double ms, Bytes bytes) { live.Add(bytes, std::llround(ms * 1000)); };
  at(0, {0xB0, 1, 1});
  for (int k = 0; k < 10; ++k) {
    at(onsets[k], {0x90, std::uint8_t(50 + k), std::uint8_t(40 + 7 * k)});
    EXPECT_EQ(live.CompleteEventCount(), std::max(k + 1 - 5, 0)) << "after event " << k + 1 << " began";
    if (k % 3 == 0) at(onsets[k] + 25, {0x90, std::uint8_t(70 + k), 99});  // same event
    at(onsets[k] + 200, {0x80, std::uint8_t(50 + k), 0});
  }
  const Performance finished = live.Finished();
  const Performance& take = live.Take();
  ASSERT_EQ(take.EventCount(), 10);
  ASSERT_EQ(finished.EventCount(), 10);
  for (std::int32_t k = 1; k <= live.CompleteEventCount(); ++k) {
    const OnsetEvent& a = take.events[std::size_t(k) - 1];
    const OnsetEvent& b = finished.events[std::size_t(k) - 1];
    EXPECT_EQ(
        std::tie(a.onsetMs, a.interval0, a.interval1, a.interval2, a.velocity0, a.velocity1, a.velocity2, a.firstNote),
        std::tie(b.onsetMs, b.interval0, b.interval1, b.interval2, b.velocity0, b.velocity1, b.velocity2, b.firstNote))
        << "event " << k;
  }
  for (std::int32_t j = 1; j <= take.NoteCount(); ++j) {
    EXPECT_EQ((take.notes[std::size_t(j) - 1].opensEvent + 1), (finished.notes[std::size_t(j) - 1].opensEvent + 1))
        << j;
  }
  EXPECT_DOUBLE_EQ(take.events[1].interval2, 2400.0 - 2100.0);  // the interval after event 2 + 2d
  EXPECT_EQ(take.events[5].interval0, 0.0) << "not yet complete";

  // What the plot shows meanwhile: the five complete events and the notes
  // before event 6, by the rules of every performance.
  const Performance part = live.CompletePart();
  ASSERT_EQ(part.EventCount(), 5);
  EXPECT_EQ(part.NoteCount(), take.events[5].firstNote);
  for (std::int32_t k = 1; k <= 5; ++k) {
    const auto first = part.events[std::size_t(k) - 1].firstNote;
    EXPECT_EQ(part.notes[std::size_t(first)].opensEvent + 1, k);
    EXPECT_EQ(part.events[std::size_t(k) - 1].interval2, finished.events[std::size_t(k) - 1].interval2);
  }
}

TEST(LiveRecording, EventVelocityFollowsTheSettingsAsTheTakeGoesOn) {
  // A spread chord: the bass soft, the melody 1.25 ms later, the loudest
  // inner note, the melody's key again, softer.
  const std::vector<std::pair<double, Bytes>> played = {
      {0, {0x90, 40, 22}}, {1.25, {0x90, 64, 54}}, {15, {0x90, 52, 80}}, {20, {0x90, 64, 30}}, {500, {0x90, 60, 70}}};
  for (const auto& [choice, velocity] : {std::pair{EventVelocity::First, 22}, std::pair{EventVelocity::Loudest, 80},
                                         std::pair{EventVelocity::Highest, 54}}) {
    AnalysisSettings settings;
    settings.eventVelocity = choice;
    LiveRecording live(settings);
    for (const auto& [ms, bytes] : played) live.Add(bytes, std::llround(ms * 1000));
    EXPECT_EQ(live.Take().events.front().velocity0, velocity) << EventVelocityName(choice);
    EXPECT_EQ(live.Finished().events.front().velocity0, velocity);
  }
}

}  // namespace
}  // namespace rp
