// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "frontend/ProgressSink.h"
#include "frontend/ProgressThrottle.h"
#include "support/RecordingProgressSink.h"

namespace rp {
namespace {

double fakeNow = 0.0;
double FakeClock() { return fakeNow; }

TEST(ProgressThrottle, PassesOnTheLatestValuesAtMostOncePerInterval) {
  RecordingProgressSink sink;
  ProgressThrottle throttle(sink, &FakeClock, 0.1);
  fakeNow = 10.0;
  for (int i = 1; i <= 1000; ++i) {
    throttle.SetValue(i);
    throttle.Poll();
  }
  EXPECT_EQ(sink.updates, 1);  // the first poll passes, the rest fall in the same interval
  EXPECT_EQ(sink.value, 1);
  fakeNow = 10.05;
  throttle.Poll();
  EXPECT_EQ(sink.value, 1);
  fakeNow = 10.2;
  throttle.Poll();
  EXPECT_EQ(sink.value, 1000);
  EXPECT_EQ(sink.updates, 2);
  throttle.Poll();  // nothing new: nothing passed
  EXPECT_EQ(sink.updates, 2);

  // A caption or range goes through at once, after what was waiting.
  throttle.SetCaption("Loading...");
  ASSERT_EQ(sink.captions.size(), 1u);
  throttle.SetMaximum(0);  // a range the bar cannot take is ignored by the bar
  EXPECT_EQ(sink.maximum, 100);
  throttle.SetValue(3);
  throttle.Flush();
  EXPECT_EQ(sink.value, 3);
}

}  // namespace
}  // namespace rp
