// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the MIDI output port on the real clock: how late each message
// leaves against its schedule (start + t / factor) while the UI thread is busy
// with heavy work between draining its notifications. Each run is one long
// replay; the counters are in microseconds:
//   median, p99, max   lateness of the messages
//   drift              median lateness of the last tenth minus the first tenth
//   schedule_err       largest gap between a due time and start + t / factor
// Arguments: replay seconds (wall), ReplaySpeed, busy UI (0/1), spin window us.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

#include "replay/MidiOutputPort.h"
#include "replay/TempoMapping.h"
#include "support/ManualUiQueue.h"
#include "support/RecordingMidiBackend.h"

namespace {

using namespace std::chrono_literals;
using rp::ReplayClock;

// Stand-in for a plot rebuild: a few milliseconds of arithmetic and memory
// traffic on the UI thread.
double RebuildLikeWork(std::vector<double>& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    points[i] = std::sin(static_cast<double>(i) * 0.001 + points[i]) * 4.0;
  }
  std::sort(points.begin(), points.end());
  return points.front();
}

void BmReplayLateness(benchmark::State& state) {
  const double seconds = static_cast<double>(state.range(0));
  const int speed = static_cast<int>(state.range(1));
  const bool busy = state.range(2) != 0;
  const auto spin = std::chrono::microseconds(state.range(3));
  const double factor = rp::TempoFactor(speed);

  for (auto _ : state) {
    rp::SteadyReplayClock clock(spin);
    rp::RecordingMidiBackend backend(clock);
    rp::ManualUiQueue ui;
    std::atomic<bool> ended{false};
    rp::MidiOutputPort port(backend, clock, ui.Poster());
    port.SetNotifications({{}, {}, [&] { ended = true; }});
    port.Open();
    port.SetReplaySpeed(speed);

    // Uneven gaps of 1 to 9 ms at the recorded tempo, like a played passage.
    std::vector<double> times;
    std::uint32_t seed = 12345;
    for (double t = 0; t < seconds * 1000.0 * factor;) {
      times.push_back(t);
      seed = seed * 1664525u + 1013904223u;
      t += 1.0 + static_cast<double>(seed >> 8) / static_cast<double>(1u << 24) * 8.0;
    }
    for (std::size_t i = 0; i < times.size(); ++i) {
      port.Append({static_cast<int>(i), times[i], i % 2 ? 128 : 144, 60, 64});
    }

    std::vector<double> points(busy ? 100000 : 0, 1.0);
    double sink = 0;
    port.Start();
    while (!ended) {
      ui.Drain();
      if (busy) {
        sink += RebuildLikeWork(points);
      } else {
        std::this_thread::sleep_for(1ms);
      }
    }
    benchmark::DoNotOptimize(sink);

    const auto sent = backend.SentMessages();
    std::vector<double> late;
    double scheduleError = 0;
    const ReplayClock::Time start = sent.front().due;  // the message at 0 ms
    for (std::size_t i = 0; i < sent.size(); ++i) {
      late.push_back(static_cast<double>((sent[i].sentAt - sent[i].due).count()) / 1000.0);
      const double ideal = static_cast<double>(start.count()) + times[i] * 1e6 / factor;
      scheduleError = std::max(scheduleError, std::abs(static_cast<double>(sent[i].due.count()) - ideal) / 1000.0);
    }
    const std::size_t tenth = std::max<std::size_t>(1, late.size() / 10);
    auto median = [](std::vector<double> v) {
      std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
      return v[v.size() / 2];
    };
    const double firstMedian = median({late.begin(), late.begin() + static_cast<std::ptrdiff_t>(tenth)});
    const double lastMedian = median({late.end() - static_cast<std::ptrdiff_t>(tenth), late.end()});
    std::vector<double> sorted = late;
    std::sort(sorted.begin(), sorted.end());
    state.counters["messages"] = static_cast<double>(late.size());
    state.counters["median_us"] = sorted[sorted.size() / 2];
    state.counters["p99_us"] = sorted[sorted.size() * 99 / 100];
    state.counters["max_us"] = sorted.back();
    state.counters["drift_us"] = lastMedian - firstMedian;
    state.counters["schedule_err_us"] = scheduleError;
  }
}

// seconds, speed, busy, spin window (us). Spin 0 is a plain timed sleep.
BENCHMARK(BmReplayLateness)
    ->Args({10, 0, 0, 500})
    ->Args({30, 0, 1, 500})
    ->Args({15, 1000, 1, 500})
    ->Args({15, -1000, 1, 500})
    ->Args({10, 0, 0, 150})
    ->Args({10, 0, 1, 0})
    ->ArgNames({"s", "speed", "busy", "spin_us"})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
