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
  for (std::int32_t j = 1; j <= p.noteEventCount; ++j) lines.push_back(AsciiMidiLine(p.noteEvents[std::size_t(j)]));
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
  ASSERT_EQ(take.plotEventCount, 10);
  ASSERT_EQ(finished.plotEventCount, 10);
  ASSERT_GE(take.plotEvents.size(), 21u);
  for (std::int32_t k = 1; k <= live.CompleteEventCount(); ++k) {
    const PlotEvent& a = take.plotEvents[std::size_t(k)];
    const PlotEvent& b = finished.plotEvents[std::size_t(k)];
    EXPECT_EQ(
        std::tie(a.onsetMs, a.interval0, a.interval1, a.interval2, a.velocity0, a.velocity1, a.velocity2, a.firstNote),
        std::tie(b.onsetMs, b.interval0, b.interval1, b.interval2, b.velocity0, b.velocity1, b.velocity2, b.firstNote))
        << "event " << k;
  }
  for (std::int32_t j = 1; j <= take.noteEventCount; ++j) {
    EXPECT_EQ(take.noteEvents[std::size_t(j)].clusterIndex, finished.noteEvents[std::size_t(j)].clusterIndex) << j;
  }
  EXPECT_DOUBLE_EQ(take.plotEvents[2].interval2, 2400.0 - 2100.0);  // the interval after event 2 + 2d
  EXPECT_EQ(take.plotEvents[6].interval0, 0.0) << "not yet complete";

  // What the plot shows meanwhile: the five complete events and the notes
  // before event 6, by the rules of every performance.
  const Performance part = live.CompletePart();
  ASSERT_EQ(part.plotEventCount, 5);
  EXPECT_EQ(part.noteEventCount, take.plotEvents[6].firstNote - 1);
  ASSERT_GE(part.plotEvents.size(), 16u);
  for (std::size_t k = 6; k < part.plotEvents.size(); ++k) EXPECT_EQ(part.plotEvents[k].onsetMs, 0.0) << k;
  for (std::int32_t k = 1; k <= 5; ++k) {
    const auto first = part.plotEvents[std::size_t(k)].firstNote;
    EXPECT_EQ(part.noteEvents[std::size_t(first)].clusterIndex, k);
    EXPECT_EQ(part.plotEvents[std::size_t(k)].interval2, finished.plotEvents[std::size_t(k)].interval2);
  }
}

}  // namespace
}  // namespace rp
