// SPDX-License-Identifier: GPL-3.0-or-later
// The charts of `--chart` described from real score-aligned performances
// (the Vienna 4x22 Piano Corpus, W. Goebl (1999), CC BY 4.0: four pianists'
// Chopin op. 10/3): every chart names every performance it draws and its
// axes with units, and its SVG holds each of them once; and the option
// errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/ChartCommand.h"
#include "chart/ChartLayout.h"
#include "chart/ChartSvg.h"

namespace rp {
namespace {

const std::string kMatch = RP_SHARED_DATA_DIR "/vienna4x22/match/";

std::vector<std::string> Pianists() {
  std::vector<std::string> files;
  for (const char* p : {"p01", "p02", "p03", "p04"}) files.push_back(kMatch + "Chopin_op10_no3_" + p + ".match");
  return files;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ChartCommand, EveryChartOfTheFourPianistsNamesThemAndItsAxesWithUnits) {
  if (!std::filesystem::exists(kMatch)) GTEST_SKIP() << "no Vienna 4x22 match files in " << kMatch;
  const std::vector<std::string> files = Pianists();
  for (const char* kind : {"tempo", "poincare", "bars", "worm", "recurrence"}) {
    SCOPED_TRACE(kind);
    std::vector<std::string> args = {kind, "out.svg", "--beat", "dotted-quarter", "--tempo-unit", "bpm"};
    args.insert(args.end(), files.begin(), files.end());
    std::ostringstream err;
    const std::optional<ChartOptions> options = ParseChartOptions(args, err);
    ASSERT_TRUE(options) << err.str();
    int status = 0;
    const std::optional<ChartDescription> chart = DescribeChartOfFiles(*options, err, status);
    ASSERT_TRUE(chart) << err.str();
    EXPECT_EQ(chart->theme, ChartTheme::Light);
    EXPECT_FALSE(chart->cursor);
    // The recurrence plot is of one performance; every other chart draws all.
    const std::size_t named = std::string(kind) == "recurrence" ? 1 : files.size();
    ASSERT_EQ(chart->legend.size(), named);
    for (std::size_t i = 0; i < named; ++i)
      EXPECT_EQ(chart->legend[i].name, std::filesystem::path(files[i]).filename().string());
    EXPECT_FALSE(chart->x.unit.empty());
    EXPECT_FALSE(chart->y.unit.empty());
    EXPECT_GE(chart->x.ticks.size(), 2U);
    EXPECT_GE(chart->y.ticks.size(), 2U);
    if (std::string(kind) == "bars") {
      EXPECT_EQ(chart->x.Title(), "score position (bars)");
      EXPECT_EQ(chart->y.Title(), "tempo, BPM (dotted quarter)");
      EXPECT_EQ(chart->series.size(), files.size());
    }
    if (std::string(kind) == "worm") {
      EXPECT_EQ(chart->y.Title(), "loudness (MIDI velocity)");
    }
    if (std::string(kind) == "recurrence") {
      ASSERT_TRUE(chart->raster);
      EXPECT_GT(chart->raster->rows, 100U);
    }

    const std::string svg = ChartSvg(LayOutChart(*chart));
    for (const ChartLegendEntry& entry : chart->legend) EXPECT_EQ(Count(svg, ">" + entry.name + "<"), 1U);
    EXPECT_EQ(Count(svg, ">" + chart->x.Title() + "<"), 1U);
    EXPECT_EQ(svg.find("dominant-baseline"), std::string::npos);
  }
}

TEST(ChartCommand, RefusesWhatItCannotDraw) {
  const std::string p01 = kMatch + "Chopin_op10_no3_p01.match";
  const struct {
    std::vector<std::string> args;
    std::string says;
  } kCases[] = {
      {{"tempo"}, "usage"},
      {{"pie", "out.svg", p01}, "not \"pie\""},
      {{"tempo", "out.svg"}, "at least one FILE"},
      {{"tempo", "out.jpg", p01}, ".png"},
      {{"tempo", "out.svg", "--theme", "sepia", p01}, "--theme takes light or dark"},
      {{"tempo", "out.svg", "--width", "10", p01}, "--width takes a number"},
      {{"tempo", "out.svg", "--dpi", "x", p01}, "--dpi takes a number"},
      {{"tempo", "out.svg", "--series", "pitch", p01}, "--series takes"},
      {{"tempo", "out.svg", "--against", "bar", p01}, "--against takes"},
      {{"bars", "out.svg", "--beat", "crotchet", p01}, "--beat takes"},
      {{"tempo", "out.svg", p01, "--smooth"}, "needs a value"},
      {{"tempo", "out.svg", "--colour", "red", p01}, "does not know --colour"},
      {{"recurrence", "out.svg", "--rqa-dim", "0", p01}, "--rqa-dim"},
      {{"windows", "out.svg", p01}, "needs --window N or --window-bars B"},
      {{"windows", "out.svg", "--window", "32", "--measure", "median", p01}, "--measure takes"},
      {{"cross-recurrence", "out.svg", p01}, "takes two files, not 1"},
  };
  for (const auto& c : kCases) {
    std::ostringstream err;
    EXPECT_FALSE(ParseChartOptions(c.args, err));
    EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
  }
  if (!std::filesystem::exists(kMatch)) GTEST_SKIP() << "no Vienna 4x22 match files in " << kMatch;
  // A performance without a score has no tempo per bar.
  std::ostringstream err;
  const std::optional<ChartOptions> options =
      ParseChartOptions({"bars", "out.svg", RP_SHARED_DATA_DIR "/vienna4x22/midi/Chopin_op10_no3_p01.mid"}, err);
  ASSERT_TRUE(options) << err.str();
  int status = 0;
  EXPECT_FALSE(DescribeChartOfFiles(*options, err, status));
  EXPECT_EQ(status, 1);
  EXPECT_NE(err.str().find("aligned to its score"), std::string::npos);
  // Nor score positions to pair for a cross-recurrence.
  const std::optional<ChartOptions> cross = ParseChartOptions(
      {"cross-recurrence", "out.svg", p01, RP_SHARED_DATA_DIR "/vienna4x22/midi/Chopin_op10_no3_p02.mid"}, err);
  ASSERT_TRUE(cross) << err.str();
  EXPECT_FALSE(DescribeChartOfFiles(*cross, err, status));
  EXPECT_NE(err.str().find("pairs values by score position"), std::string::npos);
}

}  // namespace
}  // namespace rp
