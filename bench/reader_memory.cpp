// SPDX-License-Identifier: GPL-3.0-or-later
// The peak memory of each reader per byte of the file it reads: an ASCII MIDI
// listing (loaded as the batch commands and as the windows load it), a list
// of times and a scatter file, each generated with short and with long lines.
// Each read runs in a child process of its own, which reports how far its
// peak resident size (ru_maxrss) rose above where it stood before the read;
// `peak_per_byte` is that rise over the file's size. The bounds: 12 for
// listings and lists of times, 16 for scatter files (plus 100 MB for any).
//
// Run: build/bin/bench_reader_memory [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "analysis/PerformanceLoader.h"
#include "frontend/ProgressSink.h"
#include "io/ScatterFileReader.h"
#include "model/Performance.h"
#include "support/TempDir.h"

namespace {

constexpr double kFileBytes = 20e6;

// Writes lines from `line(k)` (k from 0) until the file holds kFileBytes.
std::int64_t WriteLines(const std::string& path, const std::function<std::string(std::int64_t)>& line) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return -1;
  std::int64_t bytes = 0;
  for (std::int64_t k = 0; bytes < static_cast<std::int64_t>(kFileBytes); ++k) {
    const std::string text = line(k);
    std::fwrite(text.data(), 1, text.size(), f);
    bytes += static_cast<std::int64_t>(text.size());
  }
  std::fclose(f);
  return bytes;
}

std::int64_t PeakRssBytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;  // ru_maxrss is in KiB
}

std::int64_t CurrentRssBytes() {
  long pages = 0;
  long resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return 0;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(f);
  return static_cast<std::int64_t>(resident) * ::sysconf(_SC_PAGESIZE);
}

// How far `read` raises the peak resident size of a child process; -1 when
// the child fails.
std::int64_t PeakRise(const std::function<bool()>& read) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(fds[0]);
    const std::int64_t before = CurrentRssBytes();
    const std::int64_t rise = read() ? PeakRssBytes() - before : -1;
    (void)!::write(fds[1], &rise, sizeof rise);
    ::_exit(0);
  }
  ::close(fds[1]);
  std::int64_t rise = -1;
  if (::read(fds[0], &rise, sizeof rise) != sizeof rise) rise = -1;
  ::close(fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return rise;
}

void Measure(benchmark::State& state, const std::function<std::string(std::int64_t)>& line,
             const std::function<bool(const std::string&)>& read) {
  rp::test::TempDir dir("rp_bench_reader_memory_");
  const std::string path = dir.Path() + "/file";
  const std::int64_t bytes = WriteLines(path, line);
  std::int64_t rise = -1;
  for (auto _ : state) rise = PeakRise([&] { return read(path); });
  if (bytes <= 0 || rise < 0) state.SkipWithError("the read failed");
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["peak_rise_MB"] = static_cast<double>(rise) / 1e6;
  state.counters["peak_per_byte"] = static_cast<double>(rise) / static_cast<double>(bytes);
}

bool LoadBatch(const std::string& path) {
  rp::Performance performance;
  return rp::LoadPerformanceFile(path, performance).Ok();
}

bool LoadWatched(const std::string& path) {
  rp::Performance performance;
  rp::NullProgressSink progress;
  return rp::LoadPerformanceFile(path, performance, &progress).Ok();
}

bool ReadScatter(const std::string& path) {
  return rp::ReadScatterFile(path).status == rp::ScatterReadStatus::Complete;
}

// Note lines as the recorders write them, a note-on and its note-off;
// `comment` long lines carry a comment after the note.
std::string ListingLine(std::int64_t k, bool comment) {
  const std::int64_t note = k / 2;
  const int key = static_cast<int>(40 + note % 48);
  const std::int64_t timeMs = note * 150 + (k % 2) * 90;
  std::string text = std::to_string(k + 1) + "; /* " + std::to_string(timeMs) + " ms */" + (k % 2 ? "-" : "+") +
                     std::to_string(key) + (k % 2 ? " 64;" : " 80;");
  if (comment) text += " // " + std::string(200, 'c');
  return text + "\n";
}

std::string TimeLine(std::int64_t k, bool labelled) {
  char text[64];
  const double seconds = static_cast<double>(k) * 0.437;
  if (!labelled) {
    std::snprintf(text, sizeof text, "%.3f\n", seconds);
    return text;
  }
  std::snprintf(text, sizeof text, "%.6f\t%.6f\t", seconds, seconds);
  return text + std::string(200, 'b') + "\n";
}

std::string ScatterLine(std::int64_t k, bool payload) {
  std::mt19937 engine(static_cast<std::uint32_t>(k));
  std::string text = "p" + std::to_string(k % 100) + "," + std::to_string(engine() % 1000) + "," +
                     std::to_string(engine() % 1000) + "," + std::to_string(engine() % 1000) + ",5";
  if (payload) text += ",&HFF0000FF," + std::string(200, 'x');
  return text + "\n";
}

// One reader on a file of `line`s; argument 0: short lines, 1: long lines.
void BmPeakPerByte(benchmark::State& state, std::string (*line)(std::int64_t, bool), bool (*read)(const std::string&)) {
  Measure(
      state, [&](std::int64_t k) { return line(k, state.range(0) != 0); }, read);
}

void Register() {
  const struct {
    const char* name;
    std::string (*line)(std::int64_t, bool);
    bool (*read)(const std::string&);
  } kReaders[] = {{"BmListingBatch", ListingLine, LoadBatch},
                  {"BmListingWatched", ListingLine, LoadWatched},
                  {"BmTimesList", TimeLine, LoadBatch},
                  {"BmScatterFile", ScatterLine, ReadScatter}};
  for (const auto& r : kReaders) {
    benchmark::RegisterBenchmark(r.name, BmPeakPerByte, r.line, r.read)
        ->Arg(0)
        ->Arg(1)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
