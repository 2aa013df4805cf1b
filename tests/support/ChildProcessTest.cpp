// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>

#include "support/ChildProcess.h"

namespace rp::test {
namespace {

using namespace std::chrono_literals;

TEST(RunCapturing, KeepsWhatTheProgramWritesAndHowItEnded) {
  const ProgramRun apart = RunCapturing({"sh", "-c", "echo out; echo err >&2; echo more; exit 3"});
  EXPECT_EQ(apart.status, 3);
  EXPECT_EQ(apart.out, "out\nmore\n");
  EXPECT_EQ(apart.err, "err\n");

  const ProgramRun merged = RunCapturing({"sh", "-c", "echo out; echo err >&2; echo more"}, StdErr::IntoOut);
  EXPECT_EQ(merged.status, 0);
  EXPECT_EQ(merged.out, "out\nerr\nmore\n") << "in the order written";
  EXPECT_EQ(merged.err, "");

  const ProgramRun environment =
      RunCapturing({"sh", "-c", "echo \"$RP_A-${HOME:-none}\""}, StdErr::Apart, {{"RP_A", "set"}, {"HOME", ""}});
  EXPECT_EQ(environment.out, "set-none\n");

  EXPECT_EQ(RunCapturing({"rp-no-such-program"}).status, -1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunCapturing({"sleep", "30"}, StdErr::Apart, {}, 200ms).status, -1) << "out of time";
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
}

TEST(ChildProcess, WaitsWithADeadlineAndStopsWhatGoesOn) {
  ChildProcess child;
  ASSERT_TRUE(child.Start({"sh", "-c", "exit 7"}, {}, "", ""));
  EXPECT_EQ(child.Wait(10s), 7);
  EXPECT_FALSE(child.Running());

  ASSERT_TRUE(child.Start({"sleep", "30"}, {}, "", ""));
  EXPECT_EQ(child.Wait(50ms), std::nullopt);
  EXPECT_TRUE(child.Running());
  child.Stop();
  EXPECT_FALSE(child.Running());
}

}  // namespace
}  // namespace rp::test
