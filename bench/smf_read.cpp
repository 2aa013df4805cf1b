// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a Standard MIDI File of 500,000 notes: a long recorded performance
// in two tracks (hands), with running status, velocity-0 note-offs and a
// tempo change every bar. Target: under 1 s for read and analysis.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/PerformanceLoader.h"
#include "io/StandardMidiFileReader.h"
#include "model/Performance.h"
#include "support/SmfBuilder.h"
#include "support/TempDir.h"

namespace {

constexpr int kNotes = 500000;

std::string WriteBigFile() {
  std::mt19937 random(5);
  rp::test::TrackBuilder tempo, right, left;
  for (int bar = 0; bar < kNotes / 8; ++bar) tempo.Tempo(bar ? 1920 : 0, 400000 + random() % 300000);
  tempo.End();
  for (rp::test::TrackBuilder* hand : {&right, &left}) {
    bool first = true;  // after the first note-on, every event goes by running status
    for (int i = 0; i < kNotes / 2; ++i) {
      const auto key = static_cast<std::uint8_t>(hand == &right ? 60 + random() % 40 : 24 + random() % 36);
      const auto velocity = static_cast<std::uint8_t>(30 + random() % 90);
      if (first) {
        hand->Raw(0, {0x90, key, velocity});
        first = false;
      } else {
        hand->Raw(random() % 60, {key, velocity});
      }
      hand->Raw(120 + random() % 200, {key, 0});
    }
    hand->End();
  }
  const auto bytes = rp::test::MidiFile(1, 480, {tempo, right, left});
  static const rp::test::TempDir kDir("rp_bench_smf_");
  const std::string path = kDir.Path("500k_notes.mid");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path;
}

const std::string& BigFile() {
  static const std::string kPath = WriteBigFile();
  return kPath;
}

void BmReadMidiFile(benchmark::State& state) {
  const std::string& path = BigFile();
  for (auto _ : state) {
    auto result = rp::ReadStandardMidiFile(path);
    if (!result.Ok() || result.events.size() != 2 * kNotes + 1) state.SkipWithError("unexpected result");
    benchmark::DoNotOptimize(result.events.data());
  }
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BmReadMidiFile)->Unit(benchmark::kMillisecond);

// The whole load as the control panel runs it: read, analysis, end of load.
void BmLoadMidiFile(benchmark::State& state) {
  const std::string& path = BigFile();
  rp::Performance performance;
  for (auto _ : state) {
    if (!rp::LoadPerformanceFile(path, performance).Ok() || performance.NoteCount() != 2 * kNotes) {
      state.SkipWithError("unexpected result");
    }
  }
  state.counters["events"] = performance.EventCount();
}
BENCHMARK(BmLoadMidiFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
