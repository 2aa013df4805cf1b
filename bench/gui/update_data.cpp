// SPDX-License-Identifier: GPL-3.0-or-later
// The tail update that runs for every replayed cluster: showTail with a
// tail of 500 on the real plot window, then the frame it asks for: the 501
// points from the performance arrays, the scaling, the scene description and
// the renderer's upload of the changed instance data. Each update waits for
// the renderer to finish. Run under Xvfb for Mesa's software renderer.

#include <benchmark/benchmark.h>

#include "BundledPlotWindow.h"
#include "render/GlView.h"

namespace {

using namespace rp;

void BmShowTail(benchmark::State& state) {
  bench::BundledPlotWindow window;
  PlotWindow& form = window.form;
  form.View().State().autoRotate = false;
  GlView* view = form.PlotWidget();
  if (!window.Draws()) {
    state.SkipWithError("no OpenGL renderer");
    return;
  }
  window.position.tailLength = static_cast<std::int32_t>(state.range(0));
  std::int32_t step = 0;
  for (auto _ : state) {
    // Two neighbouring events in turn: every update brings new points.
    window.position.currentEvent = window.performance.EventCount() - 1 - (step++ % 2);
    form.View().ShowTail();
    view->DrawFrameAndWait();
  }
  state.counters["points"] = static_cast<double>(form.View().State().points.Count());
  state.SetLabel(view->RendererName());
}
BENCHMARK(BmShowTail)->Arg(500)->Arg(10)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
