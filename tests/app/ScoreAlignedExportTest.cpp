// SPDX-License-Identifier: GPL-3.0-or-later
// --export-events and --export-notes of real score-aligned performances (the
// Vienna 4x22 Piano Corpus, W. Goebl (1999), doi:10.21939/4X22, CC BY 4.0)
// against the rules read afresh here: the file split at its brackets rather
// than parsed term by term, positions grouped on a grid of 1e-6 beats.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/ExportEvents.h"
#include "app/ExportNotes.h"

namespace rp {
namespace {

const std::filesystem::path kMatchDir = RP_SHARED_DATA_DIR "/vienna4x22/match";

std::vector<std::string> Split(const std::string& text, const std::string& separators) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : text) {
    if (separators.find(c) == std::string::npos) {
      part += c;
    } else if (!part.empty() || c == ',') {
      parts.push_back(part);
      part.clear();
    }
  }
  parts.push_back(part);
  return parts;
}

struct Played {
  double onsetMs;
  int velocity;
  int line;
};

struct Expected {
  double beats, onsetMs, asynchronyMs;
  int velocity;
};

// The events of a file of the older form by the rules: matched non-grace
// notes grouped by score onset, earliest onset (earlier line on a tie).
std::vector<Expected> ExpectedEvents(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  double units = 0, rate = 0;
  std::map<long long, std::vector<Played>> positions;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.rfind("info(midiClockUnits,", 0) == 0) units = std::stod(line.substr(20));
    if (line.rfind("info(midiClockRate,", 0) == 0) rate = std::stod(line.substr(19));
    if (line.rfind("snote(", 0) != 0 || line.find(")-note(") == std::string::npos) continue;
    std::vector<std::string> t;
    for (const std::string& s : Split(line, "()[],")) {
      if (!s.empty()) t.push_back(s);
    }
    std::size_t note = 0;
    while (t[note] != "-note") ++note;
    bool grace = false;
    for (std::size_t i = 10; i < note; ++i) grace = grace || t[i] == "grace";
    if (grace) continue;
    const double beats = std::stod(t[8]);
    positions[std::llround(beats * 1e6)].push_back({std::stod(t[note + 5]), std::stoi(t[note + 8]), number});
  }
  EXPECT_GT(units, 0) << path;
  std::vector<Expected> events;
  for (auto& [key, notes] : positions) {
    const Played* first = &notes[0];
    double latest = notes[0].onsetMs;
    for (const Played& p : notes) {
      if (p.onsetMs < first->onsetMs || (p.onsetMs == first->onsetMs && p.line < first->line)) first = &p;
      latest = std::max(latest, p.onsetMs);
    }
    const double msPerTick = rate / units / 1000;
    events.push_back({key / 1e6, first->onsetMs * msPerTick, (latest - first->onsetMs) * msPerTick, first->velocity});
  }
  return events;
}

std::vector<std::vector<std::string>> CsvRows(const std::vector<std::string>& args,
                                              int (*command)(const std::vector<std::string>&, std::ostream&,
                                                             std::ostream&)) {
  std::ostringstream out, err;
  EXPECT_EQ(command(args, out, err), 0) << err.str();
  std::istringstream lines(out.str());
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(Split(line, ","));
  return rows;
}

double Num(const std::string& text) { return std::stod(text); }

TEST(ScoreAlignedExport, ViennaPerformancesFollowTheRules) {
  if (!std::filesystem::is_directory(kMatchDir)) GTEST_SKIP() << "no shared data at " << kMatchDir;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kMatchDir)) {
    const std::string path = entry.path().string();
    ++files;
    const std::vector<Expected> want = ExpectedEvents(entry.path());
    const auto notes = CsvRows({path}, &ExportNotes);
    for (const int d : {1, 3}) {
      const auto rows = CsvRows({"--delay", std::to_string(d), path}, &ExportEvents);
      ASSERT_EQ(rows.size(), want.size() + 1) << path;
      ASSERT_EQ(rows[0].size(), 14u);
      EXPECT_EQ(rows[0][9], "score_onset_beats");
      const int count = static_cast<int>(want.size());
      for (int k = 1; k <= count; ++k) {
        const std::vector<std::string>& r = rows[static_cast<std::size_t>(k)];
        const Expected& e = want[static_cast<std::size_t>(k - 1)];
        const std::string where = path + " d=" + std::to_string(d) + " event " + std::to_string(k);
        EXPECT_NEAR(Num(r[1]), e.onsetMs, 1e-9) << where;
        EXPECT_EQ(std::stoi(r[5]), e.velocity) << where;
        EXPECT_NEAR(Num(r[9]), e.beats, 1e-6) << where;
        EXPECT_NEAR(Num(r[13]), e.asynchronyMs, 1e-9) << where;
        // The first note is the event's own note-on in the note list.
        const auto& note = notes.at(static_cast<std::size_t>(std::stoi(r[8])));
        EXPECT_EQ(note[1], "1") << where;
        EXPECT_NEAR(Num(note[2]), e.onsetMs, 1e-9) << where;
        EXPECT_EQ(std::stoi(note[6]), k) << where;
        // Values of events k, k + d, k + 2d: an interval and its beat period
        // where the event after exists, a velocity where the event does, else empty.
        for (int j = 0; j < 3; ++j) {
          const int a = k - 1 + j * d;
          if (a + 1 < count) {
            const double interval = want[a + 1].onsetMs - want[a].onsetMs;
            EXPECT_NEAR(Num(r[2 + j]), interval, 1e-9) << where << " interval" << j;
            EXPECT_NEAR(Num(r[10 + j]), interval / (want[a + 1].beats - want[a].beats), 1e-6) << where;
          } else {
            EXPECT_EQ(r[2 + j], "") << where << " interval" << j;
            EXPECT_EQ(r[10 + j], "") << where;
          }
          if (j > 0) {
            EXPECT_EQ(r[5 + j], a < count ? std::to_string(want[a].velocity) : "") << where;
          }
        }
      }
    }
  }
  EXPECT_EQ(files, 88);
}

TEST(ScoreAlignedExport, ListsOfTimesHaveNoVelocitiesAndTakeTheirUnit) {
  const auto path = std::filesystem::temp_directory_path() / "rp_taps_export.txt";
  std::ofstream(path) << "# taps\n1\n1.5\n\n2.25\n3\n";
  const auto seconds = CsvRows({path.string()}, &ExportEvents);
  ASSERT_EQ(seconds.size(), 5u);
  EXPECT_EQ(seconds[0].size(), 9u) << "no score columns";
  EXPECT_EQ(seconds[1], (std::vector<std::string>{"1", "1000", "500", "750", "750", "", "", "", "1"}));
  const auto ms = CsvRows({"--times-unit", "ms", path.string()}, &ExportEvents);
  EXPECT_EQ(ms[1], (std::vector<std::string>{"1", "1", "0.5", "0.75", "0.75", "", "", "", "1"}));
  std::ostringstream out, err;
  EXPECT_EQ(ExportEvents({"--times-unit", "us", path.string()}, out, err), 64);
  EXPECT_NE(err.str().find("--times-unit takes s or ms"), std::string::npos) << err.str();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace rp
