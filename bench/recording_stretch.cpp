// SPDX-License-Identifier: GPL-3.0-or-later
// The replay of a recording at other speeds: what rendering its periods (256
// frames at 44.1 kHz, time-stretched away from 1x) costs the audio thread.
// "x_realtime" is seconds of sound rendered per second of CPU time (its
// inverse is the part of one core the replay takes); the argument is the
// speed in hundredths.
//
// Run: build/release/bin/bench_recording_stretch

#include <benchmark/benchmark.h>

#ifdef RP_HAVE_SYNTH

#include <cmath>
#include <cstdint>
#include <vector>

#include "audio/RecordingSoundSource.h"

namespace {

constexpr int kRate = 44100;
constexpr std::size_t kPeriod = 256;

void BmRenderRecordingPeriods(benchmark::State& state) {
  const double factor = static_cast<double>(state.range(0)) / 100.0;
  // Two minutes of decaying tones, four a second.
  std::vector<std::int16_t> mono(static_cast<std::size_t>(kRate) * 120);
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const double t = static_cast<double>(i % (kRate / 4)) / kRate;
    mono[i] = static_cast<std::int16_t>(8000.0 * std::exp(-t * 12.0) * std::sin(2 * M_PI * 220.0 * t));
  }
  rp::RecordingSoundSource source(mono, kRate, 0, factor);
  source.Begin();
  std::vector<std::int16_t> stereo(2 * kPeriod);
  long long periods = 0;
  for (auto _ : state) {
    source.RenderPeriod(stereo, rp::ReplayClock::Time{0}, rp::ReplayClock::Time{0});
    benchmark::DoNotOptimize(stereo.data());
    ++periods;
  }
  const double soundSeconds = static_cast<double>(periods) * kPeriod / kRate;
  state.counters["x_realtime"] = benchmark::Counter(soundSeconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BmRenderRecordingPeriods)->Arg(100)->Arg(25)->Arg(200)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

#endif  // RP_HAVE_SYNTH

BENCHMARK_MAIN();
