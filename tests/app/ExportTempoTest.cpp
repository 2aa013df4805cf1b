// SPDX-License-Identifier: GPL-3.0-or-later
// --export-tempo of real score-aligned performances (the Vienna 4x22 Piano
// Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0): beat periods
// against figures computed apart from the program (positions' earliest
// onsets, a beat grid from position 0, linear interpolation between
// positions), the beat named in the header, and the chord-splitting warning
// after a load.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/ExportEvents.h"
#include "app/ExportTempo.h"

namespace rp {
namespace {

const std::string kVienna = RP_SHARED_DATA_DIR "/vienna4x22/";

struct Output {
  int status = 0;
  std::string out, err;
};

Output Tempo(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = ExportTempo(args, out, err);
  return {status, out.str(), err.str()};
}

// Column `column` of every row after the header.
std::vector<std::string> Column(const std::string& csv, std::size_t column) {
  std::vector<std::string> values;
  std::istringstream lines(csv);
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string field;
    for (std::size_t i = 0; i <= column; ++i) std::getline(fields, field, ',');
    values.push_back(field);
  }
  return values;
}

TEST(ExportTempo, BeatPeriodsOfTheViennaPiecesAsComputedApart) {
  if (!std::filesystem::exists(kVienna)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << kVienna;
  const struct {
    const char* file;
    const char* beat;
    std::size_t beatIndex;
    std::vector<std::string> periods;
  } kCases[] = {
      {"Chopin_op10_no3_p01.match", "quarter", 0, {"2331.25", "2103.75", "2021.25"}},
      {"Schubert_D783_no15_p01.match", "quarter", 22, {"396.25", "396.25"}},  // beat 22 has no note
      {"Schubert_D783_no15_p03.match", "quarter", 0, {"747.5", "662.5", "363.75", "390"}},
      {"Chopin_op38_p01.match", "dotted-quarter", 0, {"1148.75", "1173.75", "1362.5", "1227.5"}},
  };
  for (const auto& c : kCases) {
    const Output run = Tempo({"--beat", c.beat, kVienna + "match/" + c.file});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> periods = Column(run.out, 6);
    ASSERT_GE(periods.size(), c.beatIndex + c.periods.size()) << c.file;
    for (std::size_t i = 0; i < c.periods.size(); ++i) EXPECT_EQ(periods[c.beatIndex + i], c.periods[i]) << c.file;
  }
}

TEST(ExportTempo, TheHeaderNamesTheBeatAndFilesMustShareIt) {
  if (!std::filesystem::exists(kVienna)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << kVienna;
  const std::string chopin = kVienna + "match/Chopin_op10_no3_p01.match";
  const std::string mozart = kVienna + "match/Mozart_K331_1st-mov_p01.match";
  const Output dotted = Tempo({"--tempo-unit", "bpm", "--smooth", "2", mozart});
  ASSERT_EQ(dotted.status, 0) << dotted.err;
  EXPECT_EQ(dotted.out.substr(0, dotted.out.find('\n')),
            "file,bar,beat,position_dotted_quarters,onset_ms,interpolated,ms_per_dotted_quarter,bpm_dotted_quarter,"
            "smoothed_bpm_dotted_quarter,velocity");
  const Output mixed = Tempo({chopin, mozart});
  EXPECT_EQ(mixed.status, 64);
  EXPECT_NE(mixed.err.find("choose one beat for all with --beat"), std::string::npos) << mixed.err;
  EXPECT_EQ(Tempo({"--beat", "eighth", chopin, mozart}).status, 0);
  EXPECT_EQ(Tempo({kVienna + "midi/Chopin_op10_no3_p01.mid"}).status, 1) << "a MIDI file has no score";
}

TEST(ExportTempo, ChordSplittingIsWarnedAfterTheLoad) {
  const std::string midi = kVienna + "midi/Chopin_op10_no3_p01.mid";
  if (!std::filesystem::exists(midi)) GTEST_SKIP() << "the Vienna 4x22 data is not at " << midi;
  for (const char* window : {"50", "80"}) {
    std::ostringstream out, err;
    ASSERT_EQ(ExportEvents({"--cluster-ms", window, midi}, out, err), 0);
    EXPECT_EQ(err.str().find("21 of 184 intervals") != std::string::npos, std::string(window) == "50") << err.str();
  }
}

}  // namespace
}  // namespace rp
