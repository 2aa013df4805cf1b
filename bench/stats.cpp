// SPDX-License-Identifier: GPL-3.0-or-later
// `--stats` over whole corpora, on one thread and on two: the 112 MIDI files
// of the Vienna 4x22 Piano Corpus (W. Goebl (1999), doi:10.21939/4X22,
// CC BY 4.0) from the shared data folder, and 1,000 generated performances
// of 2,000 notes each (ASCII MIDI listings written to a temporary folder
// first). After the runs it prints the --jobs 2 / --jobs 1 speed-up of each
// corpus (aim: 1.6 or more) with the load average: take the figures on a
// quiet machine. Also one series of 2,000 and of 20,000 values alone, and
// the recurrence quantification of 10,000 values (aim: under 5 s), with a
// given radius and with the radius chosen for a recurrence rate.
//
// Run: build/release/bin/bench_stats [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include "app/StatsCommand.h"
#include "stats/Recurrence.h"
#include "stats/SeriesStatistics.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGeneratedFiles = 1000;
constexpr int kNotesPerFile = 2000;

// An output stream that keeps nothing.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A performance of `kNotesPerFile` notes with drifting tempo and dynamics,
// each note-on followed by its note-off before the next.
void WritePerformance(const fs::path& path, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> noise;
  std::ofstream out(path);
  double ms = 0.0;
  double drift = 0.0;
  double loudness = 0.0;
  char line[96];
  for (int i = 0; i < kNotesPerFile; ++i) {
    drift = 0.9 * drift + 15.0 * noise(random);
    loudness = 0.8 * loudness + 4.0 * noise(random);
    const double interval = std::max(60.0, 250.0 + drift + 20.0 * noise(random));
    const int key = 40 + static_cast<int>(random() % 50);
    const int velocity = std::clamp(64 + static_cast<int>(loudness), 1, 127);
    std::snprintf(line, sizeof line, "%d; /* %.0f ms */+%02d%3d;\n", 2 * i + 1, ms, key, velocity);
    out << line;
    std::snprintf(line, sizeof line, "%d; /* %.0f ms */-%02d 64;\n", 2 * i + 2, ms + 0.6 * interval, key);
    out << line;
    ms += interval;
  }
}

struct GeneratedCorpus {
  fs::path folder;
  std::vector<std::string> files;
  GeneratedCorpus() {
    std::string pattern = (fs::temp_directory_path() / "rp_bench_stats_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    for (int k = 0; k < kGeneratedFiles; ++k) {
      files.push_back((folder / ("performance" + std::to_string(k) + ".txt")).string());
      WritePerformance(files.back(), static_cast<std::uint64_t>(k) + 1);
    }
  }
  ~GeneratedCorpus() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
};

const std::vector<std::string>& Generated() {
  static const GeneratedCorpus kCorpus;
  return kCorpus.files;
}

std::vector<std::string> Vienna() {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(RP_SHARED_DATA_DIR "/vienna4x22/midi", ec))
    if (entry.path().extension() == ".mid") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

void RunStatsOver(benchmark::State& state, const std::vector<std::string>& files) {
  if (files.empty()) {
    state.SkipWithError("no files (the shared data folder is missing)");
    return;
  }
  std::vector<std::string> args{"--jobs", std::to_string(state.range(0))};
  args.insert(args.end(), files.begin(), files.end());
  NullBuffer nothing;
  std::ostream out(&nothing);
  for (auto _ : state) {
    if (rp::RunStats(args, out, std::cerr) != 0) state.SkipWithError("a file failed");
  }
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["files_per_s"] =
      benchmark::Counter(static_cast<double>(files.size() * state.iterations()), benchmark::Counter::kIsRate);
}

void BmStatsVienna(benchmark::State& state) { RunStatsOver(state, Vienna()); }
BENCHMARK(BmStatsVienna)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kMillisecond)->UseRealTime();

void BmStatsGenerated(benchmark::State& state) { RunStatsOver(state, Generated()); }
BENCHMARK(BmStatsGenerated)->Arg(1)->Arg(2)->ArgName("jobs")->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

// `count` values of a first-order autoregressive series (0.7 of the last
// value plus noise), like a performance's intervals about their mean.
std::vector<double> Autoregressive(std::int64_t count, std::uint64_t seed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> noise;
  std::vector<double> x(static_cast<std::size_t>(count));
  double previous = 0.0;
  for (double& v : x) v = previous = 0.7 * previous + noise(random);
  return x;
}

void BmSeriesStatistics(benchmark::State& state) {
  const std::vector<double> x = Autoregressive(state.range(0), 3);
  for (auto _ : state) benchmark::DoNotOptimize(rp::ComputeSeriesStatistics(x, 1, 1));
}
BENCHMARK(BmSeriesStatistics)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Range 0: the values; range 1: 1 for the radius of a 5 % recurrence rate,
// 0 for a given radius (about the same rate).
void BmRecurrence(benchmark::State& state) {
  const std::vector<double> x = Autoregressive(state.range(0), 5);
  rp::RecurrenceSettings settings;
  settings.dimension = 3;
  if (state.range(1) == 0) settings.radius = 0.5;
  double rate = 0.0;
  for (auto _ : state) rate = rp::QuantifyRecurrence(x, settings).rate.value_or(0.0);
  state.counters["rr"] = rate;
}
BENCHMARK(BmRecurrence)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->ArgNames({"values", "rate"})
    ->Unit(benchmark::kMillisecond);

// Keeps the real time of each run to print the speed-ups at the end.
class SpeedUpReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (!run.error_occurred)
        realTime_[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintSpeedUps() const {
    for (const std::string name : {"BmStatsVienna", "BmStatsGenerated"}) {
      const auto one = realTime_.find(name + "/jobs:1");
      const auto two = realTime_.find(name + "/jobs:2");
      if (one == realTime_.end() || two == realTime_.end()) continue;
      std::printf("%s: --jobs 2 is %.2fx --jobs 1\n", name.c_str(), one->second / two->second);
    }
    if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
      char text[128] = {};
      if (std::fgets(text, sizeof text, f) != nullptr) std::printf("load average: %s", text);
      std::fclose(f);
    }
  }

 private:
  std::map<std::string, double> realTime_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SpeedUpReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSpeedUps();
  benchmark::Shutdown();
  return 0;
}
