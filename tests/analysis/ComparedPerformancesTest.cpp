// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/AddComparedPerformances.h"
#include "support/RecordingProgressSink.h"

namespace rp {
namespace {

const std::string kData = RP_TEST_DATA_DIR;

TEST(ComparedPerformances, AFileThatFailsIsNamedAndTheOthersStay) {
  ComparedPerformances compared;
  RecordingProgressSink progress;
  AnalysisSettings settings;
  settings.clusterWindowMs = 20.0;
  const CompareLoadReport report = AddComparedPerformances(
      {kData + "/lf.txt", "/no/such/take2.txt", kData + "/chords_tempo.mid"}, compared, settings, &progress);

  EXPECT_EQ(report.added, 2u);
  ASSERT_EQ(compared.size(), 2u);
  EXPECT_EQ(PerformanceDisplayName(compared[0]), "lf.txt");
  EXPECT_EQ(PerformanceDisplayName(compared[1]), "chords_tempo.mid");
  EXPECT_GT(compared[1].EventCount(), 0);
  EXPECT_EQ(compared[0].settings.clusterWindowMs, 20.0) << "analysed with the main one's settings";
  ASSERT_EQ(report.messages.size(), 1u);
  EXPECT_NE(report.messages[0].find("/no/such/take2.txt"), std::string::npos) << report.messages[0];

  // The progress window shows each load.
  EXPECT_EQ(progress.showCount, 2);
  EXPECT_FALSE(progress.visible);
}

TEST(ComparedPerformances, BeyondSevenTheRestIsNotReadAndNamed) {
  ComparedPerformances compared(6);
  const CompareLoadReport report =
      AddComparedPerformances({kData + "/lf.txt", kData + "/cr.txt", "/elsewhere/crlf.txt"}, compared, {});
  EXPECT_EQ(report.added, 1u);
  ASSERT_EQ(compared.size(), kMaxComparedPerformances);
  EXPECT_EQ(PerformanceDisplayName(compared.back()), "lf.txt");
  ASSERT_EQ(report.messages.size(), 1u) << "the missing file is not even tried";
  EXPECT_NE(report.messages[0].find("At most 8 performances"), std::string::npos);
  EXPECT_NE(report.messages[0].find("Not added: cr.txt, crlf.txt."), std::string::npos) << report.messages[0];
}

}  // namespace
}  // namespace rp
