// SPDX-License-Identifier: GPL-3.0-or-later
// --export-features and the feature series of --stats --features: the
// columns, a row of a small match file, the rows of a file that cannot give
// a series, and --stats without --features as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
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

// A tick is 1 ms: a chord whose melody (voice 1) leads by 15 ms, then a
// melody note alone under the sustain pedal.
constexpr const char* kTwoPositions =
    "info(midiClockUnits,1000).\n"
    "info(midiClockRate,1000000).\n"
    "snote(a,[G,n],4,3:2,1/16,1/4,0.0,1.0,[1])-note(0,[G,n],4,1000,2050,2050,70).\n"
    "snote(b,[C,n],4,3:2,1/16,1/4,0.0,1.0,[2])-note(1,[C,n],4,1015,1500,1500,50).\n"
    "snote(c,[C,n],5,4:1,0,1/4,1.0,2.0,[1])-note(2,[C,n],5,2000,2400,2400,90).\n"
    "sustain(1900,127).\n";

TEST(ExportFeatures, ColumnsAndTheRowsOfAMatchFile) {
  test::TempDir dir;
  const std::string file = dir.Write("two.match", kTwoPositions);
  const Outcome o = Command({"--export-features", file});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::vector<std::string> rows = Lines(o.out);
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[0],
            "file,event,bar,beat,score_onset_beats,notes,melody_key,melody_voice,melody_onset_ms,melody_velocity,"
            "melody_lead_ms,spread_ms,velocity_difference,overlap_ms,overlap_ratio,low_overlap_ms,low_overlap_ratio,"
            "sustain_fraction,soft_fraction");
  EXPECT_EQ(rows[1],
            file + ",1,3,2+1/16,0,2,67,1,1000,70,15,15,20,50,0.05,-500,-0.5076142131979695,0.14285714285714285,0");
  EXPECT_EQ(rows[2], file + ",2,4,1,1,1,72,1,2000,90,,,,,,,,1,0");

  EXPECT_EQ(Command({"--export-features"}).status, 64);
  EXPECT_EQ(Command({"--export-features", "--no-such", file}).status, 64);
  EXPECT_NE(Command({"--export-features", file, "/nonexistent/x.match"}).status, 0);
}

TEST(ExportFeatures, StatsSeriesOnlyWhenAskedAndEmptyWithAReason) {
  test::TempDir dir;
  const std::string match = dir.Write("two.match", kTwoPositions);
  const std::string times = dir.Write("times.txt", "0.5\n1.0\n1.6\n2.0\n");
  const std::string midi = test::DataFile("chords_tempo.mid");
  const Outcome plain = Command({"--stats", match, times});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out.find("melody_lead"), std::string::npos);

  const Outcome with = Command({"--stats", "--features", match, times, midi});
  ASSERT_EQ(with.status, 0) << with.err;
  const std::vector<std::string> rows = Lines(with.out);
  // The rows without --features come first, then those of the features, file by file.
  EXPECT_EQ(with.out.find(Lines(plain.out)[1]), with.out.find(rows[1]));
  const auto rowOf = [&rows](const std::string& file, const std::string& series) {
    for (const std::string& row : rows)
      if (row.rfind(file + "," + series + ",", 0) == 0) return row;
    return std::string();
  };
  EXPECT_EQ(rowOf(match, "melody_lead").rfind(match + ",melody_lead,1,15,", 0), 0U);
  EXPECT_EQ(rowOf(match, "overlap").rfind(match + ",overlap,1,50,", 0), 0U);
  for (const std::string series : {"melody_lead", "spread", "overlap"}) {
    const std::string row = rowOf(times, series);
    EXPECT_EQ(row.rfind(times + "," + series + ",0,", 0), 0U) << row;
    EXPECT_NE(row.find("no chords, voices or key releases"), std::string::npos) << row;
    // Every column up to the reason, which is quoted (it holds commas).
    const std::string columns = row.substr(0, row.find('"'));
    EXPECT_EQ(std::count(columns.begin(), columns.end(), ','), std::count(rows[0].begin(), rows[0].end(), ','));
  }
  // A MIDI file has chords but marks no melody voice.
  EXPECT_EQ(rowOf(midi, "spread").find("melody"), std::string::npos);
  EXPECT_NE(rowOf(midi, "melody_lead").find("marks no melody voice"), std::string::npos);
}

}  // namespace
}  // namespace rp
