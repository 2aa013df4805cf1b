// SPDX-License-Identifier: GPL-3.0-or-later
// Read + analysis of a generated 1,000,000-line performance file, the way the
// control panel loads it; with `wc -l` and a plain getline loop on the same
// file for comparison, and the peak memory of the process.
//
// Run: build/release/bin/bench_performance_load [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "PerformanceFile.h"
#include "analysis/OnsetAnalysis.h"
#include "analysis/PerformanceLoader.h"
#include "model/Performance.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

struct BenchFile {
  rp::test::TempDir dir{"rp_bench_performance_"};
  std::string path = dir.Path("performance.txt");
  double bytes = 0;
  BenchFile() {
    const long written = rp::bench::WritePerformanceFile(path);
    if (written < 0) std::abort();
    bytes = static_cast<double>(written);
  }
};

const BenchFile& File() {
  static const BenchFile kFile;
  return kFile;
}

double PeakRssMB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void ReportFile(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * File().bytes));
  state.counters["file_MB"] = File().bytes / 1e6;
  state.counters["peak_rss_MB"] = PeakRssMB();
}

void BmLoadAndAnalyse(benchmark::State& state) {
  const std::string& path = File().path;
  rp::Performance performance;
  for (auto _ : state) {
    const rp::LoadResult r = rp::LoadPerformanceFile(path, performance);
    if (!r.Ok()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(performance.EventCount());
  }
  ReportFile(state);
  state.counters["notes"] = performance.NoteCount();
  state.counters["events"] = performance.EventCount();
  // The records in use: the arrays reserve more address space than that (a
  // guess by the file size, at most one event per note) but never touch it.
  state.counters["records_MB"] = static_cast<double>(performance.notes.size() * sizeof(rp::NoteEvent) +
                                                     performance.events.size() * sizeof(rp::OnsetEvent)) /
                                 1e6;
}
BENCHMARK(BmLoadAndAnalyse)->Unit(benchmark::kMillisecond)->UseRealTime();

void BmAnalyseOnly(benchmark::State& state) {
  rp::Performance performance;
  if (!rp::LoadPerformanceFile(File().path, performance).Ok()) state.SkipWithError("load failed");
  for (auto _ : state) {
    rp::AnalyseOnsets(performance);
    benchmark::DoNotOptimize(performance.EventCount());
  }
  state.counters["notes"] = performance.NoteCount();
}
BENCHMARK(BmAnalyseOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BmGetlineOnly(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(File().path);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  ReportFile(state);
}
BENCHMARK(BmGetlineOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

double ChildrenCpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The real time includes starting the process; `wc_cpu_ms` is what wc itself
// used, comparable with the CPU column of the load on a busy machine.
void BmWcL(benchmark::State& state) {
  const std::vector<std::string> command = {"wc", "-l", File().path};
  const double before = ChildrenCpuSeconds();
  for (auto _ : state) {
    if (rp::test::RunToEnd(command, {}, std::chrono::minutes(1)) != 0) state.SkipWithError("wc failed");
  }
  ReportFile(state);
  state.counters["wc_cpu_ms"] = (ChildrenCpuSeconds() - before) * 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BmWcL)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
