// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "app/StatsCommand.h"
#include "model/Performance.h"
#include "model/ValueKind.h"
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

// How many fields a CSV row has (no field here holds a quoted comma).
std::size_t Fields(const std::string& row) {
  return 1 + static_cast<std::size_t>(std::count(row.begin(), row.end(), ','));
}

TEST(StatsCommand, NewColumnsComeOnlyWhenAskedAndAreTheSameForAnyJobs) {
  const std::string lf = test::DataFile("lf.txt");
  const std::string midi = test::DataFile("chords_tempo.mid");
  const std::vector<std::string> asked{"--stats", "--extended", "--header-comments", "--ci", "90", "--ci-resamples",
                                       "50",      "--rqa",      "--rqa-rate",        "0.2",  lf,   midi};
  std::vector<std::string> oneJob = asked;
  oneJob.insert(oneJob.begin() + 1, {"--jobs", "1"});
  std::vector<std::string> twoJobs = asked;
  twoJobs.insert(twoJobs.begin() + 1, {"--jobs", "2"});
  const Outcome one = Command(oneJob);
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(Command(twoJobs).out, one.out);
  std::vector<std::string> rows;
  for (const std::string& line : Lines(one.out)) {
    if (line.rfind("# ", 0) != 0) rows.push_back(line);
  }
  ASSERT_EQ(rows.size(), 5U);
  EXPECT_NE(one.out.find("\n# r_d_pearson: Pearson correlation"), std::string::npos);
  EXPECT_EQ(rows[0].rfind("file,series,n,mean,mean_lo,mean_hi,", 0), 0U);
  EXPECT_NE(rows[0].find(",r_d_hi,rd_p,r_d_pearson,r_d_pearson_lo,"), std::string::npos);
  EXPECT_NE(rows[0].find(",rqa_radius,rqa_rr,rqa_rr_lo,"), std::string::npos);
  const std::string end = ",rqa_tt_lo,rqa_tt_hi,ci_block,ci_resamples,warning,error";
  EXPECT_EQ(rows[0].substr(rows[0].size() - end.size()), end);
  // Intervals 500 750 1000 250: too few values, and it says so.
  EXPECT_NE(rows[1].find(",2,50,only 4 values (under 50),"), std::string::npos) << rows[1];
  for (const std::string& row : rows) EXPECT_EQ(Fields(row), Fields(rows[0])) << row;

  // Windows of 3 events every 2 over 5 events: 1-3, 3-5.
  const std::vector<std::string> windowed = Lines(Command({"--stats", "--window", "3", "--step", "2", lf}).out);
  ASSERT_EQ(windowed.size(), 5U);
  EXPECT_EQ(windowed[0].rfind("file,series,first_event,last_event,n,mean,", 0), 0U);
  EXPECT_EQ(windowed[1].rfind(lf + ",timing,1,3,2,625,", 0), 0U) << windowed[1];
  EXPECT_EQ(windowed[4].rfind(lf + ",velocity,3,5,3,", 0), 0U) << windowed[4];
  // Bars only where the score gives them: an error row, status 1.
  const Outcome noBars = Command({"--stats", "--window-bars", "2", lf});
  EXPECT_EQ(noBars.status, 1);
  EXPECT_EQ(Fields(Lines(noBars.out)[1]), Fields(Lines(noBars.out)[0]));

  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--stats", "--rqa-radius", "1", "--rqa-rate", "0.1", lf},
        {"--stats", "--dfa-scales", "8:4", lf},
        {"--stats", "--step", "3", lf},
        {"--stats", "--window", "3", "--window-bars", "2", lf},
        {"--stats", "--ci", "100", lf},
        {"--stats", "--sampen-m", "0", lf},
        {"--stats", "--permutations", lf}}) {
    const Outcome refused = Command(bad);
    EXPECT_EQ(refused.status, kExitUsage) << bad[1];
    EXPECT_EQ(refused.out, "");
  }
}

TEST(StatsCommand, BootstrapIntervalOfTheMeanHoldsItWithTheNormalWidth) {
  // 2000 independent intervals of 500 ms ± up to 100 ms: the 90 % interval of
  // their mean must hold the mean and be about 2 · 1.645 · sd / √N wide.
  std::mt19937_64 engine(3);
  std::uniform_real_distribution<double> noise(-100.0, 100.0);
  std::string times;
  double t = 0.0;
  for (int k = 0; k <= 2000; ++k) {
    times += std::to_string(t / 1000.0) + "\n";
    t += 500.0 + noise(engine);
  }
  const test::TempFile list(times, "times.txt");
  for (const char* level : {"0.9", "90"}) {
    const std::vector<std::string> rows = Lines(Command({"--stats", "--ci", level, list.Path()}).out);
    ASSERT_GE(rows.size(), 2U) << level;
    ASSERT_EQ(rows[0].rfind("file,series,n,mean,mean_lo,mean_hi,sd,", 0), 0U) << rows[0];
    std::vector<double> v;
    std::istringstream row(rows[1].substr(rows[1].find(",timing,") + 8));
    for (std::string field; std::getline(row, field, ',') && v.size() < 5;) v.push_back(std::stod(field));
    const double n = v[0], mean = v[1], lo = v[2], hi = v[3], sd = v[4];
    EXPECT_LE(lo, mean) << level;
    EXPECT_GE(hi, mean) << level;
    const double normalWidth = 2.0 * 1.6449 * sd / std::sqrt(n);
    EXPECT_NEAR(hi - lo, normalWidth, 0.2 * normalWidth) << level;
  }
}

TEST(StatsCommand, ScoreAlignedPerformanceByBarsAndBothLagCorrelations) {
  // Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0.
  const std::string file = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no Vienna 4x22 match file at " << file;
  const Outcome whole = Command({"--stats", "--extended", file});
  const std::vector<std::string> rows = Lines(whole.out);
  ASSERT_EQ(rows.size(), 4U);
  // The tempo series: r_d 0.368 in the autocorrelation form, 0.413 as the Pearson correlation.
  EXPECT_NE(rows[3].find(",0.3684153820147734,0.001,0.4132647558240695,"), std::string::npos) << rows[3];
  const std::vector<std::string> byBars = Lines(Command({"--stats", "--window-bars", "4", file}).out);
  EXPECT_EQ(byBars[0].rfind("file,series,first_bar,last_bar,first_event,last_event,n,", 0), 0U);
  // Bars 0 (the upbeat) to 20 in windows of 4: six windows of three series.
  ASSERT_EQ(byBars.size(), 1U + 6 * 3);
  EXPECT_EQ(byBars[1].rfind(file + ",timing,0,3,1,", 0), 0U) << byBars[1];
  EXPECT_EQ(byBars.back().rfind(file + ",tempo,20,23,", 0), 0U) << byBars.back();
}

// --export-features and the feature series of --stats --features: the
// columns, a row of a small match file, the rows of a file that cannot give
// a series, and --stats without --features as it was.

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
  // Its --export-features has a row for each time, with no notes.
  const std::vector<std::string> timeRows = Lines(Command({"--export-features", times}).out);
  ASSERT_EQ(timeRows.size(), 5U);
  EXPECT_EQ(timeRows[2], times + ",2,,,,0" + std::string(13, ','));
  // A MIDI file has chords but marks no melody voice.
  EXPECT_EQ(rowOf(midi, "spread").find("melody"), std::string::npos);
  EXPECT_NE(rowOf(midi, "melody_lead").find("marks no melody voice"), std::string::npos);
}

// The plot's melody leads are the lead column of --export-features for the
// same events n, n + 1 and n + 2, and a point stands exactly where the three
// rows all have a lead.
TEST(ExportFeatures, LeadColumnIsWhatThePlotShows) {
  // Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0.
  const std::string file = RP_SHARED_DATA_DIR "/vienna4x22/match/Chopin_op10_no3_p01.match";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no Vienna 4x22 match file at " << file;
  const Outcome o = Command({"--export-features", file});
  ASSERT_EQ(o.status, 0) << o.err;
  const std::vector<std::string> rows = Lines(o.out);
  // The column of the lead, counted in the header.
  const std::string head = rows[0].substr(0, rows[0].find(",melody_lead_ms,"));
  const auto column = static_cast<std::size_t>(std::count(head.begin(), head.end(), ',') + 1);
  std::vector<std::optional<double>> leads;  // event k's at k - 1
  for (std::size_t r = 1; r < rows.size(); ++r) {
    std::istringstream fields(rows[r]);
    std::string field;
    for (std::size_t c = 0; c <= column; ++c) std::getline(fields, field, ',');
    leads.push_back(field.empty() ? std::nullopt : std::optional(std::stod(field)));
  }
  Performance p = Performance::Empty();
  ASSERT_TRUE(LoadPerformanceFile(file, p).Ok());
  ASSERT_EQ(static_cast<std::size_t>(p.EventCount()), leads.size());
  ASSERT_TRUE(ValueKindUnavailable(p, ValueKind::MelodyLead).empty()) << "voice 1 is the melody";
  std::int32_t points = 0;
  for (std::int32_t k = 0; k + 2 < p.EventCount(); ++k) {
    const auto i = static_cast<std::size_t>(k);
    const std::optional<std::array<double, 3>> shown = EventValues(p, k, ValueKind::MelodyLead);
    ASSERT_EQ(shown.has_value(), leads[i] && leads[i + 1] && leads[i + 2]) << "event " << k;
    if (!shown) continue;
    ++points;
    for (std::size_t j = 0; j < 3; ++j) EXPECT_NEAR((*shown)[j], *leads[i + j], 1e-9) << "event " << k + j;
  }
  EXPECT_GT(points, 50) << "most positions of the etude hold a chord under the melody";
}

}  // namespace
}  // namespace rp
