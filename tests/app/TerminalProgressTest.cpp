// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "app/TerminalProgress.h"

namespace rp {
namespace {

double fakeNow = 0.0;
double FakeClock() { return fakeNow; }

TEST(TerminalProgress, QuietAtFirstThenOneLineASecondAndNothingOffATerminal) {
  fakeNow = 100.0;
  std::ostringstream err;
  {
    TerminalProgress progress(err, true, "--stats", 10, "files", &FakeClock);
    fakeNow = 102.0;
    progress.Show(1);
    EXPECT_EQ(err.str(), "") << "a short run says nothing";
    fakeNow = 103.5;
    progress.Show(2);
    EXPECT_EQ(err.str(), "\rreturnplot: --stats: 2 of 10 files\x1b[K");
    fakeNow = 104.0;
    progress.Show(3);
    EXPECT_EQ(err.str(), "\rreturnplot: --stats: 2 of 10 files\x1b[K") << "at most once a second";
    fakeNow = 104.6;
    progress.Show(4);
    err.str("");
  }
  EXPECT_EQ(err.str(), "\r\x1b[K") << "the line goes at the end";

  std::ostringstream log;
  TerminalProgress quiet(log, false, "--stats", 10, "files", &FakeClock);
  fakeNow = 1000.0;
  quiet.Show(5);
  quiet.Clear();
  EXPECT_EQ(log.str(), "");
  EXPECT_FALSE(ReachesTerminal(log));
}

}  // namespace
}  // namespace rp
