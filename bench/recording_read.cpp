// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a recording as a performance, as the control panel loads one: a
// 10-minute 44.1 kHz 16-bit stereo WAV file of piano-like tones (8 a second,
// chords among them), decoded, mixed to mono, its onsets found and refined,
// their loudness measured and the events analysed. "x_realtime" is seconds
// of sound per second of CPU time on one core; the aim is 50 or more.
//
// Run: build/release/bin/bench_recording_read [--benchmark_repetitions=5]

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/PerformanceLoader.h"
#include "io/WavWriter.h"
#include "model/Performance.h"

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 600.0;

struct BenchRecording {
  std::string path = "/tmp/rp_bench_recording_" + std::to_string(::getpid()) + ".wav";
  BenchRecording() {
    rp::WavWriter wav;
    if (!wav.Open(path, {kRate, 2}).empty()) std::abort();
    const auto frames = static_cast<std::size_t>(kSeconds * kRate);
    std::vector<std::int16_t> block;
    unsigned seed = 12345;
    double nextOnset = 0.1;
    std::vector<std::pair<double, double>> sounding;  // onset, frequency
    for (std::size_t n = 0; n < frames; ++n) {
      const double t = static_cast<double>(n) / kRate;
      if (t >= nextOnset) {
        seed = seed * 1103515245u + 12345u;
        sounding.emplace_back(t, 110.0 * std::pow(2.0, static_cast<double>(seed >> 16 & 31) / 12.0));
        nextOnset = t + 0.06 + static_cast<double>(seed >> 8 & 255) / 1000.0;
        if (sounding.size() > 6) sounding.erase(sounding.begin());
      }
      double x = 0.0;
      for (const auto& [onset, frequency] : sounding) {
        const double age = t - onset;
        x += 0.15 * std::exp(-age * 4.0) *
             (std::sin(2 * M_PI * frequency * age) + 0.5 * std::sin(4 * M_PI * frequency * age));
      }
      const auto sample = static_cast<std::int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 32000));
      block.push_back(sample);
      block.push_back(sample);
      if (block.size() >= 8192) {
        wav.Write(block);
        block.clear();
      }
    }
    wav.Write(block);
    if (!wav.Finish().empty()) std::abort();
  }
  ~BenchRecording() { std::remove(path.c_str()); }
};

void BmReadRecording(benchmark::State& state) {
  static const BenchRecording recording;
  std::int32_t events = 0;
  for (auto _ : state) {
    rp::Performance performance;
    const rp::LoadResult result = rp::LoadPerformanceFile(recording.path, performance);
    if (!result.Ok()) state.SkipWithError(result.message.c_str());
    events = performance.EventCount();
  }
  state.counters["events"] = events;
  state.counters["x_realtime"] =
      benchmark::Counter(kSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BmReadRecording)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
