// SPDX-License-Identifier: GPL-3.0-or-later
// Offline rendering of the bundled example performance (about 84 s of sound)
// through the built-in synthesizer into a WAV file in a temporary folder: the rendering
// alone with the SoundFont already loaded, and the whole --render-wav command
// (load, SoundFont, rendering, file). "x_realtime" is seconds of sound per
// second of wall-clock time.
//
// Run: build/release/bin/bench_render_wav [--benchmark_repetitions=5]

#include <benchmark/benchmark.h>

#ifdef RP_HAVE_SYNTH

#include <filesystem>
#include <sstream>
#include <string>

#include "app/BatchLoad.h"
#include "app/CommandLine.h"
#include "audio/GeneralMidiSynth.h"
#include "audio/OfflineRender.h"
#include "desktop/RenderWav.h"
#include "model/Performance.h"
#include "model/VelocityScale.h"
#include "support/TempDir.h"

namespace {

const std::string kExample =
    (std::filesystem::path(__FILE__).parent_path().parent_path() / "examples" / "performance.txt").string();
const rp::test::TempDir kOutDir("rp_bench_render_");
const std::string kOut = kOutDir.Path("example.wav");

void BmRenderExample(benchmark::State& state) {
  std::ostringstream out;
  std::ostringstream err;
  // Load the example (through the command, which also checks it renders).
  if (rp::RenderWav({kOut, kExample}, out, err) != 0) {
    state.SkipWithError(err.str().c_str());
    return;
  }
  rp::Performance performance;
  int status = 0;
  if (!rp::LoadFileForBatch(kExample, performance, err, status)) {
    state.SkipWithError(err.str().c_str());
    return;
  }
  const auto messages = rp::ReplayFromFirstEvent(performance, rp::VelocityScaleInUse(performance, {}));
  rp::MidiFailure failure;
  auto synth = rp::GeneralMidiSynth::Create(rp::SoundFontCandidates(""), &failure);
  if (!synth) {
    state.SkipWithError(failure.text.c_str());
    return;
  }
  double seconds = 0;
  for (auto _ : state) {
    const auto result = rp::RenderToWav(*synth, messages, 1.0, kOut);
    seconds = static_cast<double>(result.frames) / rp::kSynthSampleRate;
  }
  state.counters["audio_s"] = seconds;
  state.counters["x_realtime"] =
      benchmark::Counter(seconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  std::remove(kOut.c_str());
}
BENCHMARK(BmRenderExample)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BmRenderWavCommand(benchmark::State& state) {
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (rp::RenderWav({kOut, kExample}, out, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.counters["x_realtime"] =
      benchmark::Counter(84.38 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  std::remove(kOut.c_str());
}
BENCHMARK(BmRenderWavCommand)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

#endif  // RP_HAVE_SYNTH

BENCHMARK_MAIN();
