#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "scene/D3DUtil_FrameTimer.h"

namespace rp {
namespace {

double g_now = 0.0;
double FakeClock() { return g_now; }

float Timer(std::int32_t command) { return D3DUtil_FrameTimer(command); }

class FrameTimerTest : public testing::Test {
 protected:
  void SetUp() override {
    D3DUtil_SetFrameTimerClock(&FakeClock);
    g_now = 100.0;
    Timer(kTimerReset);
  }
  void TearDown() override {
    D3DUtil_SetFrameTimerClock(nullptr);
    Timer(kTimerReset);
  }
};

TEST_F(FrameTimerTest, ElapsedLeavesOutStoppedTime) {
  EXPECT_EQ(Timer(kTimerStart), 100.0f);
  g_now = 100.5;
  EXPECT_FLOAT_EQ(Timer(kTimerGetElapsedTime), 0.5f);  // measured from the first start
  g_now = 101.0;
  EXPECT_FLOAT_EQ(Timer(kTimerGetElapsedTime), 0.5f);
  EXPECT_EQ(Timer(kTimerStop), 101.0f);
  g_now = 111.0;  // ten seconds minimised
  Timer(kTimerStop);  // a second stop keeps the first stop time
  g_now = 112.0;
  Timer(kTimerStart);
  g_now = 112.25;
  EXPECT_FLOAT_EQ(Timer(kTimerGetElapsedTime), 0.25f);
  g_now = 113.0;
  Timer(kTimerStart);  // already running: no effect
  g_now = 113.5;
  EXPECT_FLOAT_EQ(Timer(kTimerGetElapsedTime), 1.25f);
  EXPECT_EQ(Timer(5), 0.0f);  // unknown command
  g_now = 114.0;
  EXPECT_FLOAT_EQ(Timer(kTimerGetElapsedTime), 0.5f);
}

TEST_F(FrameTimerTest, ClockGoingBackResetsAndTellsTheCaller) {
  Timer(kTimerStart);
  g_now = 50.0;
  std::int32_t command = kTimerGetElapsedTime;
  EXPECT_EQ(D3DUtil_FrameTimer(command), 0.0f);
  EXPECT_EQ(command, kTimerReset);
}

TEST(FrameTimerSteadyClock, MeasuresRealTime) {
  Timer(kTimerReset);
  Timer(kTimerStart);
  Timer(kTimerGetElapsedTime);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const float elapsed = Timer(kTimerGetElapsedTime);
  EXPECT_GE(elapsed, 0.055f);
  EXPECT_LT(elapsed, 1.0f);
  Timer(kTimerReset);
}

}  // namespace
}  // namespace rp
