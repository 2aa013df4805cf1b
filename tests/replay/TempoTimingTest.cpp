// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <thread>

#include "midi/ReplayClock.h"
#include "replay/ReplayTimeline.h"
#include "replay/TempoMapping.h"
#include "support/WaitFor.h"

namespace rp {
namespace {

using namespace std::chrono_literals;

TEST(TempoMapping, RisesSteadilyFromAQuarterToTenAndNeverReachesZero) {
  EXPECT_DOUBLE_EQ(TempoFactor(0), 1.0);
  EXPECT_DOUBLE_EQ(TempoFactor(-1000), 0.25);
  EXPECT_DOUBLE_EQ(TempoFactor(-500), 0.5);
  EXPECT_DOUBLE_EQ(TempoFactor(1000), 2.0);
  EXPECT_DOUBLE_EQ(TempoFactor(9000), 10.0);
  EXPECT_DOUBLE_EQ(TempoFactor(-100000), 0.25);
  EXPECT_DOUBLE_EQ(TempoFactor(100000), 10.0);
  double previous = 0;
  for (int s = kReplaySpeedMin; s <= kReplaySpeedMax; s += 10) {
    const double f = TempoFactor(s);
    EXPECT_GT(f, previous) << s;
    previous = f;
  }
  EXPECT_EQ(TempoLabel(0), "1.00x");
  EXPECT_EQ(TempoLabel(-1000), "0.25x");
  EXPECT_EQ(TempoLabel(9000), "10.00x");
  EXPECT_EQ(TempoLabel(250), "1.25x");
}

TEST(ReplayTimeline, DueTimesAreAbsoluteAndATempoChangeKeepsThePosition) {
  using Time = ReplayTimeline::Time;
  ReplayTimeline t;
  t.Start(Time(1'000'000), 0, 3.0);  // a factor whose intervals do not divide evenly
  // An hour in: exactly where the factor puts it, whatever came before.
  EXPECT_EQ(t.Due(3'600'000), Time(1'000'000 + 1'200'000'000'000));
  EXPECT_EQ(t.Due(1), Time(1'000'000 + 333'333));

  const Time now(500'000'000);
  const double before = t.PositionAt(now);
  t.ChangeFactor(now, 0.5);
  EXPECT_DOUBLE_EQ(t.PositionAt(now), before);
  EXPECT_EQ(t.Due(before + 10), now + Time(20'000'000));

  // Nonsense times neither overflow nor go backwards.
  EXPECT_EQ(t.Due(std::numeric_limits<double>::quiet_NaN()), t.Due(0));
  EXPECT_GT(t.Due(std::numeric_limits<double>::infinity()), t.Due(1e9));
  EXPECT_GT(t.Due(1e300), t.Due(1e9));
}

TEST(SteadyReplayClock, WaitsUntilTheTargetOrAWake) {
  SteadyReplayClock clock;
  const auto start = clock.Now();
  clock.WaitUntil(start + 3ms);
  EXPECT_GE(clock.Now(), start + 3ms);

  // A wake that comes before the wait ends it at once, even a wait forever.
  clock.Wake();
  clock.WaitUntil(ReplayClock::kForever);
  std::thread waker([&] {
    test::LetTimePass(5ms);  // the wait below has begun
    clock.Wake();
  });
  clock.WaitUntil(clock.Now() + 10s);
  waker.join();
  EXPECT_LT(clock.Now() - start, 5s);
}

}  // namespace
}  // namespace rp
