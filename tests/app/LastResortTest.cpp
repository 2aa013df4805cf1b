// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/LastResort.h"

namespace rp {
namespace {

TEST(LastResort, AnUnforeseenErrorGivesOnePlainLineAndStatus70) {
  std::ostringstream err;
  EXPECT_EQ(RunGuarded([] { return 3; }, err), 3);
  EXPECT_EQ(err.str(), "");
  const int status = RunGuarded(
      []() -> int { throw std::out_of_range("vector::_M_range_check: __n (which is 99989) >= this->size()"); }, err);
  EXPECT_EQ(status, kExitInternalError);
  EXPECT_EQ(status, 70);
  const std::string line = err.str();
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
  EXPECT_EQ(line.find("range_check"), std::string::npos) << line;
  EXPECT_EQ(line.rfind("returnplot: ", 0), 0u) << line;
}

}  // namespace
}  // namespace rp
