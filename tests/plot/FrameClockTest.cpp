// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>

#include "plot/FrameClock.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

double gNow = 0.0;
double FakeClock() { return gNow; }

class FrameClockTest : public testing::Test {
 protected:
  void SetUp() override { gNow = 100.0; }
  FrameClock clock_{&FakeClock};
};

TEST_F(FrameClockTest, ElapsedLeavesOutStoppedTime) {
  EXPECT_EQ(clock_.Start(), 100.0f);
  gNow = 100.5;
  EXPECT_FLOAT_EQ(clock_.Elapsed(), 0.5f);  // measured from the first start
  gNow = 101.0;
  EXPECT_FLOAT_EQ(clock_.Elapsed(), 0.5f);
  EXPECT_EQ(clock_.Stop(), 101.0f);
  gNow = 111.0;   // ten seconds minimised
  clock_.Stop();  // a second stop keeps the first stop time
  gNow = 112.0;
  clock_.Start();
  gNow = 112.25;
  EXPECT_FLOAT_EQ(clock_.Elapsed(), 0.25f);
  gNow = 113.0;
  clock_.Start();  // already running: no effect
  gNow = 113.5;
  EXPECT_FLOAT_EQ(clock_.Elapsed(), 1.25f);
  EXPECT_FALSE(clock_.WentBack());
}

TEST_F(FrameClockTest, SourceGoingBackResetsAndSaysSo) {
  clock_.Start();
  gNow = 101.0;
  clock_.Elapsed();
  gNow = 50.0;
  EXPECT_EQ(clock_.Elapsed(), 0.0f);
  EXPECT_TRUE(clock_.WentBack());
  // Reset: the next start counts from its own time again.
  gNow = 51.0;
  clock_.Start();
  gNow = 51.5;
  EXPECT_FLOAT_EQ(clock_.Elapsed(), 0.5f);
  EXPECT_FALSE(clock_.WentBack());
}

TEST(FrameClockSteady, MeasuresRealTime) {
  FrameClock clock;
  clock.Start();
  clock.Elapsed();
  test::LetTimePass(std::chrono::milliseconds(60));
  const float elapsed = clock.Elapsed();
  EXPECT_GE(elapsed, 0.055f);
  EXPECT_LT(elapsed, 1.0f);
}

}  // namespace
}  // namespace rp
