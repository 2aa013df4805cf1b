// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs at the edges of what the commands read: text with a byte-order
// mark, numbers far beyond any performance's, and options whose values only
// together pass a limit.

#include <gtest/gtest.h>

#include <algorithm>
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
  EXPECT_TRUE(plan.exitNow);
  return {plan.exitStatus, out.str(), err.str()};
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// `text` (ASCII) as UTF-16 with its byte-order mark, little- or big-endian.
std::string Utf16(const std::string& text, bool little) {
  std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
  for (const char c : text) {
    bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
  }
  return bytes;
}

const char* const kListing = "1; /* 0 ms */+60 80;\n2; /* 500 ms */+62 90;\n3; /* 1250 ms */+64 70;\n";

TEST(OddInputs, TextWithAByteOrderMarkIsTextNeverARecording) {
  const test::TempDir dir;
  const Outcome plain = Command({"--export-events", dir.Write("plain.txt", kListing)});
  ASSERT_EQ(plain.status, 0) << plain.err;
  const Outcome utf8 = Command({"--export-events", dir.Write("bom.txt", std::string("\xEF\xBB\xBF") + kListing)});
  EXPECT_EQ(utf8.status, 0) << utf8.err;
  EXPECT_EQ(utf8.out, plain.out);

  for (const bool little : {true, false}) {
    const std::string path = dir.Write(little ? "le.txt" : "be.txt", Utf16(kListing, little));
    for (const char* command : {"--export-events", "--report"}) {
      const Outcome o = Command({command, path});
      EXPECT_EQ(o.status, kExitCannotOpen) << command;
      EXPECT_EQ(o.out, "");
      EXPECT_EQ(CountLines(o.err), 1) << o.err;
      EXPECT_NE(o.err.find("\"" + path + "\" is a UTF-16 text file"), std::string::npos) << o.err;
    }
  }
}

TEST(OddInputs, TheReportPrintsHugeNumbersAsTheExportsDo) {
  const test::TempDir dir;
  const std::string path =
      dir.Write("far.txt", "1; /* 0 ms */+60 80;\n2; /* 1e30 ms */+62 90;\n3; /* 2e30 ms */+64 70;\n");
  const Outcome report = Command({"--report", path});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_EQ(report.out.find("2147483648"), std::string::npos) << report.out;
  EXPECT_EQ(report.out.find("1000000000000000"), std::string::npos) << report.out;
  EXPECT_NE(report.out.find("first to last onset 2e+30 ms"), std::string::npos) << report.out;
  EXPECT_NE(report.out.find("      1e+30 "), std::string::npos) << report.out;
  const Outcome events = Command({"--export-events", path});
  EXPECT_NE(events.out.find("\n2,1e+30,"), std::string::npos) << events.out;
}

TEST(OddInputs, ASnapshotSideGivenAloneKeepsTheOtherWithinTheLimit) {
  std::ostringstream err;
  EXPECT_FALSE(ParseSnapshotOptions({"fig.png", "--height", "8192", "perf.txt"}, err));
  EXPECT_EQ(CountLines(err.str()), 1) << err.str();
  const int highest = kMaxSnapshotSide * kSnapshotHeight / kSnapshotWidth;
  const auto fits = ParseSnapshotOptions({"fig.png", "--height", std::to_string(highest), "perf.txt"}, err);
  ASSERT_TRUE(fits) << err.str();
  EXPECT_LE(kSnapshotWidth * fits->ScaleFactor(), kMaxSnapshotSide + 0.5);
  EXPECT_FALSE(ParseSnapshotOptions({"fig.png", "--height", std::to_string(highest + 1), "perf.txt"}, err));
  EXPECT_TRUE(ParseSnapshotOptions({"fig.png", "--width", "8192", "perf.txt"}, err));
  EXPECT_TRUE(ParseSnapshotOptions({"fig.png", "--width", "100", "--height", "8192", "perf.txt"}, err));
}

}  // namespace
}  // namespace rp
