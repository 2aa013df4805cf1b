// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/StatsCommand.h"
#include "support/TempDir.h"
#include "support/TestDataFiles.h"

namespace rp {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Command(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const LaunchPlan plan = ParseCommandLine(args, out, err);
  EXPECT_TRUE(plan.exitNow);
  return {plan.exitStatus, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(StatsCommand, OneRowPerFileAndSeriesInArgumentOrderForAnyJobs) {
  const std::string lf = test::DataFile("lf.txt");
  const std::string midi = test::DataFile("chords_tempo.mid");
  const std::string missing = "/nonexistent/no,such.txt";
  const Outcome one = Command({"--stats", "--jobs", "1", lf, missing, midi, lf});
  EXPECT_EQ(one.status, 1);
  const std::vector<std::string> rows = Lines(one.out);
  ASSERT_EQ(rows.size(), 8U);
  EXPECT_EQ(rows[0], "file,series,n,mean,sd,cv,sd1,sd2,sd1_sd2,area,r_d,rd_p,dfa_alpha,sampen,error");
  // Intervals 500 750 1000 250, velocities 80 90 70 100 60.
  EXPECT_EQ(rows[1].rfind(lf + ",timing,4,625,", 0), 0U) << rows[1];
  EXPECT_EQ(rows[2].rfind(lf + ",velocity,5,80,", 0), 0U) << rows[2];
  for (const std::size_t k : {1, 2, 4, 5}) {
    EXPECT_EQ(std::count(rows[k].begin(), rows[k].end(), ','), 14) << rows[k];
    EXPECT_EQ(rows[k].back(), ',') << "no error";
  }
  EXPECT_EQ(rows[3].rfind("\"" + missing + "\"" + std::string(14, ',') + "\"Cannot open \"\"" + missing, 0), 0U)
      << rows[3];
  EXPECT_EQ(rows[4].rfind(midi + ",timing,", 0), 0U);
  EXPECT_EQ(rows[5].rfind(midi + ",velocity,", 0), 0U);
  EXPECT_EQ(rows[6], rows[1]);

  const Outcome three = Command({"--stats", lf, missing, "--jobs", "3", midi, lf});
  EXPECT_EQ(three.status, 1);
  EXPECT_EQ(three.out, one.out);
  EXPECT_EQ(Command({"--stats", "--jobs", "2", lf, midi}).status, 0);
}

TEST(StatsCommand, RealCorpusGivesTheSameRowsForAnyJobs) {
  const std::filesystem::path folder = RP_SHARED_DATA_DIR "/vienna4x22/midi";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no Vienna 4x22 corpus at " << folder;
  std::vector<std::string> args{"--stats"};
  for (const auto& entry : std::filesystem::directory_iterator(folder)) args.push_back(entry.path().string());
  std::sort(args.begin() + 1, args.end());
  const Outcome two = Command(args);
  args.insert(args.begin() + 1, {"--jobs", "1"});
  const Outcome one = Command(args);
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(Lines(one.out).size(), 1 + 2 * (args.size() - 3));
  EXPECT_EQ(two.out, one.out);
}

TEST(StatsCommand, SettingsReachTheMeasuresAndBadArgumentsAreRefused) {
  // Regular intervals but the third: every lag-2 pair differs except around it.
  const test::TempFile file(
      "1; /* 0 ms */+60 80;\n2; /* 100 ms */+60 80;\n3; /* 200 ms */+60 80;\n4; /* 400 ms */+60 80;\n"
      "5; /* 500 ms */+60 80;\n6; /* 600 ms */+60 80;\n7; /* 610 ms */+60 80;\n");
  const std::string lag1 = Command({"--stats", file.Path()}).out;
  const std::string lag2 = Command({"--delay", "2", "--stats", file.Path()}).out;
  EXPECT_NE(lag1, lag2);
  // The last two notes are one event within 50 ms; not within 5 ms.
  EXPECT_NE(Lines(lag1)[1].find(",timing,5,"), std::string::npos);
  EXPECT_NE(Lines(Command({"--stats", "--cluster-ms", "5", file.Path()}).out)[1].find(",timing,6,"), std::string::npos);
  // Velocities all 80: constant, so only n, mean, sd, cv, sd1, sd2 and area.
  EXPECT_EQ(Lines(lag1)[2], file.Path() + ",velocity,6,80,0,0,0,0,,0,,,,,");

  // Sample entropy over the first 20,000 intervals only, and a line says so.
  std::string longer;
  for (int k = 0; k <= 20010; ++k)
    longer += std::to_string(k + 1) + "; /* " + std::to_string(k * 300 + (k * k) % 97) + " ms */+60 80;\n";
  const test::TempFile longFile(longer);
  const Outcome cut = Command({"--stats", longFile.Path()});
  EXPECT_NE(Lines(cut.out)[1].find(",timing,20010,"), std::string::npos);
  EXPECT_EQ(cut.err, "returnplot: " + longFile.Path() +
                         ": sampen of the timing series is taken over its first 20000 of 20010 values\n");

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--stats"},
                                              {"--stats", "--jobs", "0", file.Path()},
                                              {"--stats", "--jobs", file.Path()},
                                              {"--stats", "--random-state", "-1", file.Path()},
                                              {"--stats", "--bogus", file.Path()}}) {
    const Outcome refused = Command(bad);
    EXPECT_EQ(refused.status, kExitUsage);
    EXPECT_EQ(refused.out, "");
  }
}

}  // namespace
}  // namespace rp
