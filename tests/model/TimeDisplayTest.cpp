// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "model/TimeDisplay.h"

namespace rp {
namespace {

TEST(TimeDisplay, ReadsAsAClockToTheTenthBegun) {
  EXPECT_EQ(FormatTimeDisplay(125480), "0:02:05.4");
  EXPECT_EQ(FormatTimeDisplay(0), "0:00:00.0");
  EXPECT_EQ(FormatTimeDisplay(3599999), "0:59:59.9");
  EXPECT_EQ(FormatTimeDisplay(3600000), "1:00:00.0");
  EXPECT_EQ(FormatTimeDisplay(3661000), "1:01:01.0");
  EXPECT_EQ(FormatTimeDisplay(36000000), "10:00:00.0");
  EXPECT_EQ(FormatTimeDisplay(-61500), "-0:01:01.5");
  // Whatever a file holds, the display stays a display.
  EXPECT_EQ(FormatTimeDisplay(std::numeric_limits<double>::quiet_NaN()), "0:00:00.0");
  EXPECT_EQ(FormatTimeDisplay(std::numeric_limits<double>::infinity()), FormatTimeDisplay(1e15));
}

}  // namespace
}  // namespace rp
