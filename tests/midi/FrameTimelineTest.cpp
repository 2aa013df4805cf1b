// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "midi/FrameTimeline.h"

namespace rp {
namespace {

TEST(FrameTimeline, TimesAreTheFramesSinceTheFirstOverTheRateRoundedOnceAcrossTheCounterWrapping) {
  FrameTimeline timeline(44100);
  const std::uint32_t first = 0xFFFF0000u;  // the counter wraps after 1486 s here
  EXPECT_EQ(timeline.Microseconds(first), 0);
  EXPECT_EQ(timeline.Microseconds(first + 12000), 272109);  // 272108.84 us
  // 22 hours of notes 12,001 frames apart: every one where the frames put it.
  std::uint64_t frames = 0;
  for (int k = 0; k < 300'000; ++k) {
    frames += 12001;
    const auto exact = static_cast<double>(frames) * 1e6 / 44100.0;
    const std::int64_t us = timeline.Microseconds(first + static_cast<std::uint32_t>(frames));
    ASSERT_LE(std::abs(static_cast<double>(us) - exact), 0.5) << "note " << k;
  }
}

}  // namespace
}  // namespace rp
