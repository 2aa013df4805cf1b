// SPDX-License-Identifier: GPL-3.0-or-later
// The onset finder on made-up notes at known places.

#include <gtest/gtest.h>

#include "support/OnsetFinder.h"

namespace rp::test {
namespace {

constexpr int kRate = 44100;

TEST(OnsetFinder, FindsEveryNoteWithinAQuarterMillisecondOfItsIntervals) {
  std::vector<std::size_t> starts;
  std::size_t at = 4410;
  for (int gap : {150, 173, 211, 240, 99, 333, 401, 120, 287}) {
    starts.push_back(at);
    at += std::size_t(gap) * kRate / 1000 + std::size_t(gap % 7);  // not on whole milliseconds
  }
  const auto onsets = FindOnsets(ToneBursts(starts, at + kRate / 2, kRate), kRate);
  ASSERT_EQ(onsets.size(), starts.size());
  for (std::size_t i = 1; i < starts.size(); ++i) {
    const double expected = 1000.0 * double(starts[i] - starts[i - 1]) / kRate;
    EXPECT_NEAR(onsets[i] - onsets[i - 1], expected, 0.25) << "interval " << i;
  }
  EXPECT_TRUE(FindOnsets(ToneBursts({}, kRate, kRate), kRate).empty()) << "noise alone is no onset";
}

}  // namespace
}  // namespace rp::test
