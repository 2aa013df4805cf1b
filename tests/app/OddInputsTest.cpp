// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs at the edges: text with a byte-order mark, numbers far beyond any
// performance's, and snapshot sides that only together pass the limit.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/SnapshotOptions.h"
#include "support/TempDir.h"

namespace rp {
namespace {

struct Outcome {
  int status = 0;
  std::string out, err;
};

Outcome Command(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const LaunchPlan plan = ParseCommandLine(args, out, err);
  return {plan.exitStatus, out.str(), err.str()};
}

TEST(OddInputs, TextWithAByteOrderMarkIsTextNeverARecording) {
  const test::TempDir dir;
  const std::string listing = "1; /* 0 ms */+60 80;\n2; /* 500 ms */+62 90;\n3; /* 1250 ms */+64 70;\n";
  const Outcome plain = Command({"--export-events", dir.Write("plain.txt", listing)});
  const Outcome utf8 = Command({"--export-events", dir.Write("bom.txt", "\xEF\xBB\xBF" + listing)});
  EXPECT_EQ(utf8.status, 0) << utf8.err;
  EXPECT_EQ(utf8.out, plain.out);
  for (const bool little : {true, false}) {
    std::string utf16 = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : listing) utf16 += little ? std::string{c, '\0'} : std::string{'\0', c};
    const std::string path = dir.Write("utf16.txt", utf16);
    const Outcome o = Command({"--report", path});
    EXPECT_EQ(o.status, kExitCannotOpen);
    EXPECT_EQ(o.err, "returnplot: \"" + path + "\" is a UTF-16 text file; returnplot reads text saved as UTF-8.\n");
  }
}

TEST(OddInputs, TheReportPrintsHugeNumbersAsTheExportsDo) {
  const test::TempDir dir;
  const std::string path =
      dir.Write("far.txt", "1; /* 0 ms */+60 80;\n2; /* 1e30 ms */+62 90;\n3; /* 2e30 ms */+64 70;\n");
  const Outcome report = Command({"--report", path});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(report.out.find("2147483648"), std::string::npos) << report.out;
  EXPECT_NE(report.out.find("first to last onset 2e+30 ms"), std::string::npos) << report.out;
  EXPECT_NE(report.out.find("      1e+30 "), std::string::npos) << report.out;
}

TEST(OddInputs, ASnapshotHeightAloneKeepsTheWidthWithinTheLimit) {
  std::ostringstream err;
  const int highest = kMaxSnapshotSide * kSnapshotHeight / kSnapshotWidth;  // 5988: 8191 pixels wide
  EXPECT_TRUE(ParseSnapshotOptions({"fig.png", "--height", std::to_string(highest), "perf.txt"}, err));
  EXPECT_FALSE(ParseSnapshotOptions({"fig.png", "--height", std::to_string(highest + 1), "perf.txt"}, err));
}

}  // namespace
}  // namespace rp
