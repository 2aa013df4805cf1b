// SPDX-License-Identifier: GPL-3.0-or-later
// The tail update that runs for every replayed cluster: showTail with a
// tail of 500 on the real plot window over the OpenGL device, the axis-name
// texture included: the 501 points from the performance arrays, the scaling,
// the new frame tree and the texture's three lines. Each update waits for the
// renderer to finish. Run under Xvfb for Mesa's software renderer.

#include <benchmark/benchmark.h>

#include "base/Dialogs.h"
#include "io/DataFolder.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "render/GlDevice.h"
#include "support/ScriptedDialogs.h"
#include "ui/PlotWindow.h"

namespace {

using namespace rp;

void BmShowTail(benchmark::State& state) {
  ScriptedDialogs dialogs;
  dialogs.fileAnswers = {ProgramDataFolder() + "performance.txt"};
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotWindow form(dialogs, StartOptions{}, performance, position, compared);
  form.Start();
  form.SetTimerEnabled(false);
  auto device = std::dynamic_pointer_cast<GlDevice>(form.View().Setup().Device());
  if (!form.View().State().deviceReady || !device) {
    state.SkipWithError("no OpenGL device");
    return;
  }
  position.tailLength = static_cast<std::int32_t>(state.range(0));
  position.currentEvent = performance.EventCount();
  for (auto _ : state) {
    form.View().ShowTail();
    device->Context().Gl().glFinish();
  }
  state.counters["points"] = static_cast<double>(form.View().State().points.Count());
  state.SetLabel(device->Renderer());
}
BENCHMARK(BmShowTail)->Arg(500)->Arg(10)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
