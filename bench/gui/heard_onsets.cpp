// SPDX-License-Identifier: GPL-3.0-or-later
// How far heard onsets lie from their schedule: the real windows replay 60
// single notes of one key through the built-in synthesizer into a private
// PulseAudio server's null sink while the plot draws; the recording's onsets,
// counted from the first, are compared with the file's times scaled by the
// speed. Reports the absolute error's median, 99th percentile and maximum
// (ms), at the recorded tempo and at twice the speed, and the time from the
// click on Play to the first sound (start_ms, see HeardReplay). Run under
// Xvfb.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/PulseAudioServer.h"
#include "support/TempDir.h"
#include "support/qt/HeardReplay.h"

namespace {

using namespace rp::test;

// A private sound server, or false with the benchmark skipped.
bool StartServer(benchmark::State& state, PulseAudioServer& server) {
  if (server.Start()) return true;
  state.SkipWithError(("no private sound server: " + server.Why()).c_str());
  return false;
}

void BmHeardOnsetError(benchmark::State& state) {
  const int speed = static_cast<int>(state.range(0));
  const bool warm = state.range(1) != 0;
  const double factor = speed == 0 ? 1.0 : 2.0;
  for (auto _ : state) {
    PulseAudioServer server;
    if (!StartServer(state, server)) return;
    TempDir dir("rp_bench_heard_");
    const HeardReplay replay = RecordHeardReplay(server, dir.Path(), IrregularIntervals(60, factor), speed, warm);
    if (!replay.skipped.empty() || !replay.messages.empty()) {
      state.SkipWithError(replay.skipped.empty() ? replay.messages.front().c_str() : replay.skipped.c_str());
      return;
    }
    // Onsets beyond the notes (a dropout's resumption) are counted apart.
    const std::vector<double> matched = MatchOnsets(replay.heardMs, replay.scheduledMs, factor);
    const auto errors = HeardOnsetErrors(matched, replay.scheduledMs, factor);
    if (errors.empty()) {
      state.SkipWithError("nothing was heard");
      return;
    }
    state.counters["extra_onsets"] =
        static_cast<double>(replay.heardMs.size()) - static_cast<double>(replay.scheduledMs.size());
    const ErrorSummary summary = Summarise(errors);
    state.counters["median_ms"] = summary.median;
    state.counters["p99_ms"] = summary.p99;
    state.counters["max_ms"] = summary.max;
    state.counters["notes"] = static_cast<double>(errors.size());
    state.counters["start_ms"] = replay.startLatencyMs;
  }
}
// Arguments: the replay speed value, and whether the sound output was open
// already (a replay a second before) or the replay opens it.
BENCHMARK(BmHeardOnsetError)->Args({0, 0})->Args({1000, 0})->Args({0, 1})->Iterations(1)->Unit(benchmark::kSecond);

// Play to first sound with the sound output open, ten times over: median,
// least and most (ms).
void BmStartLatency(benchmark::State& state) {
  for (auto _ : state) {
    PulseAudioServer server;
    if (!StartServer(state, server)) return;
    TempDir dir("rp_bench_start_");
    std::string skipped;
    std::vector<double> starts = RecordStartLatencies(server, dir.Path(), 10, skipped);
    if (starts.empty()) {
      state.SkipWithError(skipped.empty() ? "nothing was heard" : skipped.c_str());
      return;
    }
    std::sort(starts.begin(), starts.end());
    state.counters["median_ms"] = starts[starts.size() / 2];
    state.counters["min_ms"] = starts.front();
    state.counters["max_ms"] = starts.back();
    state.counters["plays"] = static_cast<double>(starts.size());
  }
}
BENCHMARK(BmStartLatency)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
