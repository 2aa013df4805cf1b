// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a match file of 100,000 lines: a long performance aligned to its
// score in the older note form, with chords, grace notes, insertions,
// deletions and a sustain pedal line after every few notes. Target: under
// 0.2 s for the read, and for the whole load with its events.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/PerformanceLoader.h"
#include "io/MatchFileReader.h"
#include "model/Performance.h"

namespace {

constexpr int kLines = 100000;

std::string WriteBigFile() {
  const auto path = (std::filesystem::temp_directory_path() / "rp_bench_100k_lines.match").string();
  std::ofstream out(path);
  out << "info(matchFileVersion,4.0).\ninfo(piece,Bench).\ninfo(composer,W. A. Mozart).\n"
         "info(midiClockUnits,4000).\ninfo(midiClockRate,500000).\ninfo(timeSignature,[4/4]).\n";
  std::mt19937 random(7);
  const char* steps[] = {"c", "d", "e", "f", "g", "a", "b"};
  long ticks = 4000;
  double beats = 0.0;
  for (int line = 6, note = 0; line < kLines; ++line, ++note) {
    const int kind = static_cast<int>(random() % 20);
    const char* step = steps[random() % 7];
    const int octave = 2 + static_cast<int>(random() % 5);
    if (kind < 4) {
      out << "sustain(" << ticks << ',' << random() % 128 << ").\n";
      continue;
    }
    if (kind == 4) {
      out << "insertion-note(" << note << ",[" << step << ",n]," << octave << ',' << ticks << ',' << ticks + 900 << ','
          << ticks + 1200 << ',' << 20 + random() % 80 << ").\n";
      continue;
    }
    // A new score position every third note: chords of about three notes.
    if (note % 3 == 0) {
      beats += 0.25;
      ticks += 1000 + static_cast<long>(random() % 400);
    }
    const long onset = ticks + static_cast<long>(random() % 200);
    out << "snote(n" << note << ",[" << step << ",#]," << octave << ',' << static_cast<int>(beats / 4) + 1 << ':'
        << static_cast<int>(beats) % 4 + 1 << ",0,1/16," << beats << ',' << beats + 0.25 << ",["
        << (kind == 5 ? "1,grace" : "3") << "])";
    if (kind == 6) {
      out << "-deletion.\n";
    } else {
      out << "-note(" << note << ",[" << step << ",#]," << octave << ',' << onset << ',' << onset + 1800 << ','
          << onset + 2400 << ',' << 20 + random() % 100 << ").\n";
    }
  }
  return path;
}

const std::string& BigFile() {
  static const std::string kPath = WriteBigFile();
  return kPath;
}

void BmReadMatchFile(benchmark::State& state) {
  const std::string& path = BigFile();
  for (auto _ : state) {
    const rp::MatchFile file = rp::ReadMatchFile(path);
    if (!file.Ok() || file.damagedLines.count != 0 || file.matched.size() < kLines / 2) {
      state.SkipWithError("unexpected result");
    }
    benchmark::DoNotOptimize(file.matched.data());
  }
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BmReadMatchFile)->Unit(benchmark::kMillisecond);

// The whole load as the control panel runs it: read, events, end of load.
void BmLoadMatchFile(benchmark::State& state) {
  const std::string& path = BigFile();
  rp::Performance performance;
  for (auto _ : state) {
    if (!rp::LoadPerformanceFile(path, performance).Ok() || performance.EventCount() < kLines / 10) {
      state.SkipWithError("unexpected result");
    }
  }
  state.counters["events"] = performance.EventCount();
}
BENCHMARK(BmLoadMatchFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
