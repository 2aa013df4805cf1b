// SPDX-License-Identifier: GPL-3.0-or-later
// The replay as heard: the real windows replay single notes of one key
// through the built-in synthesizer into a private sound server; every heard
// interval matches the file's (scaled by the speed) within 3 ms, while the
// plot shows the current event in orange and reaches the last one with the
// sound.

#include <gtest/gtest.h>

#include <cstdio>

#include "support/TempDir.h"
#include "support/qt/HeardReplay.h"

namespace rp::test {
namespace {

void ExpectHeardAsScheduled(int speed, double factor, bool warmOutput = false) {
  PulseAudioServer server;
  if (!server.Start()) GTEST_SKIP() << "no private sound server: " << server.Why();
  TempDir dir("rp_heard_");
  const HeardReplay replay = RecordHeardReplay(server, dir.Path(), IrregularIntervals(24, factor), speed, warmOutput);
  if (!replay.skipped.empty()) GTEST_SKIP() << replay.skipped;
  ASSERT_TRUE(replay.messages.empty()) << replay.messages.front();
  ASSERT_TRUE(replay.ended) << "the replay did not end within three minutes";
  EXPECT_TRUE(replay.orangeWhilePlaying);
  EXPECT_EQ(replay.currentEventAtEnd, replay.lastEvent);

  // Every note is heard once, in its place. A dropout on a starved machine
  // can add an onset in a note's tail; it says nothing of the timing and is
  // only reported.
  ASSERT_GE(replay.heardMs.size(), replay.scheduledMs.size());
  const std::vector<double> heard = MatchOnsets(replay.heardMs, replay.scheduledMs, factor);
  if (replay.heardMs.size() > replay.scheduledMs.size()) {
    std::printf("%zu dropouts in the recording\n", replay.heardMs.size() - replay.scheduledMs.size());
  }
  for (std::size_t i = 1; i < heard.size(); ++i) {
    const double scheduled = (replay.scheduledMs[i] - replay.scheduledMs[i - 1]) / factor;
    EXPECT_NEAR(heard[i] - heard[i - 1], scheduled, 3.0) << "interval " << i;
  }
}

TEST(HeardReplay, IntervalsAsInTheFileAndThePlotInStep) { ExpectHeardAsScheduled(0, 1.0); }

TEST(HeardReplay, AtTwiceTheSpeed) { ExpectHeardAsScheduled(1000, 2.0); }

// The sound output open already: the silence it holds is dropped as the
// replay begins, and the first note must not go with it.
TEST(HeardReplay, FromARunningOutput) { ExpectHeardAsScheduled(0, 1.0, true); }

}  // namespace
}  // namespace rp::test
