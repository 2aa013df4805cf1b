// SPDX-License-Identifier: GPL-3.0-or-later
// The three shapes of a list of times as the programs that write them do, and
// which files the loader takes for a list of times or a match file.

#include <gtest/gtest.h>

#include "io/MatchFileReader.h"
#include "io/TimesListReader.h"

namespace rp {
namespace {

TEST(TimesListReader, ReadsEachShapeInItsUnit) {
  // Audacity: seconds, the end and label ignored, "\" lines (frequency ranges) skipped, CR LF.
  const TimesList labels = ParseTimesList("0.500000\t0.500000\tone\r\n\\\t200.0\t4000.0\r\n1.250000\t1.750000\t\r\n",
                                          TimesUnit::Milliseconds, "labels.txt");
  ASSERT_TRUE(labels.Ok()) << labels.error;
  EXPECT_EQ(labels.form, TimesListForm::LabelTrack);
  EXPECT_EQ(labels.timesMs, (std::vector<double>{500, 1250}));
  // Sonic Visualiser: seconds, labels that hold commas, a byte-order mark.
  const TimesList instants = ParseTimesList(
      "\xEF\xBB\xBF"
      "0.25,\"a, b\"\n0.75\n# end\n",
      TimesUnit::Milliseconds, "i.csv");
  ASSERT_TRUE(instants.Ok()) << instants.error;
  EXPECT_EQ(instants.timesMs, (std::vector<double>{250, 750}));
  // A plain list in the unit asked for.
  EXPECT_EQ(ParseTimesList("  120 \n\n80\n", TimesUnit::Milliseconds, "p.txt").timesMs, (std::vector<double>{80, 120}));
  EXPECT_TRUE(ParseTimesList("  120 \n\n80\n", TimesUnit::Milliseconds, "p.txt").wasUnsorted);
  EXPECT_EQ(ParseTimesList("1.5\n", TimesUnit::Seconds, "p.txt").timesMs, (std::vector<double>{1500}));

  const TimesList negative = ParseTimesList("1\n2\n\n-3\n", TimesUnit::Seconds, "n.txt");
  EXPECT_EQ(negative.error,
            "Cannot read the list of times \"n.txt\": line 4 (\"-3\") is not a time (a number from 0 on).");
}

TEST(TimesListReader, FilesAreToldApartByContent) {
  EXPECT_TRUE(LooksLikeTimesList("# taps\n\n0.5\n"));
  EXPECT_TRUE(LooksLikeTimesList("0.5\t0.5\tbeat\n"));
  EXPECT_TRUE(LooksLikeTimesList("12.25,beat 1\n"));
  EXPECT_FALSE(LooksLikeTimesList("1; /* 0 ms */+60 64;\n"));  // an ASCII MIDI listing
  EXPECT_FALSE(LooksLikeTimesList("name,1,2,3\n"));
  EXPECT_FALSE(LooksLikeTimesList("info(midiClockUnits,480).\n"));
  EXPECT_TRUE(LooksLikeMatchFile("\ninfo(matchFileVersion,4.0).\n"));
  EXPECT_TRUE(LooksLikeMatchFile("snote(n1,[C,n],4,1:1,0,1/4,0.0,1.0,[v1])-deletion.\n"));
  EXPECT_FALSE(LooksLikeMatchFile("0.5\n"));
  EXPECT_FALSE(LooksLikeMatchFile("1; /* 0 ms */+60 64;\n"));
}

}  // namespace
}  // namespace rp
