// SPDX-License-Identifier: GPL-3.0-or-later
// One plot frame drawn by the renderer at the window's design size
// 606 x 443, as the plot describes it: 501 point spheres, the glass plate,
// the two axis-name plates and the caption (BM_PlotFrame), and the same with
// every line switched on, connecting, drop and shadow lines, 1500 of them
// (BM_PlotFrameWithLines). Each frame waits for the renderer to finish. Run
// under Xvfb to measure Mesa's software renderer; the renderer string is
// printed with the results.
//
// BM_PlotFrame's second argument is kept from the frame's first form (the
// sphere mesh's slices); true spheres do not depend on it.
#include <benchmark/benchmark.h>

#include <cmath>

#include "ShownGlView.h"
#include "plot/DescribeFrame.h"
#include "plot/FrameMove.h"
#include "plot/ViewState.h"
#include "render/GlView.h"

namespace {

using namespace rp;

// A wandering path through the plot cube, a few points below the floor, the
// last the current event, joined and dropped to the floor.
ViewState PlotOf(int points, bool lines) {
  ViewState s;
  s.rendererReady = true;
  s.viewport = {0, 0, 606, 443, 0, 1};
  s.showConnectLines = s.showDropLines = s.showFloorShadows = lines;
  s.showGlass = true;
  s.xAxisName = "actual event n";
  s.verticalAxisName = "event n+2d";
  s.depthAxisName = "event n+d";
  s.labelFontSource = {"DejaVu Sans", 12, 400};
  s.titleFontSource = {"DejaVu Sans Condensed", 16.5f, 700};
  for (int i = 0; i < points; ++i) {
    const float t = float(i) / float(points);
    DataEntry e;
    e.x = 4 * std::sin(7 * t * 6.283f);
    e.y = 8 * t - 0.5f;
    e.z = 4 * std::cos(5 * t * 6.283f);
    e.size = i + 1 == points ? 2.0 : 1.0;
    e.colour = static_cast<std::int32_t>(i + 1 == points ? 0xFFFFB000u : 0xFF0000FFu);
    s.points.Add(e);
  }
  FrameMove(s, 0.0f);
  return s;
}

void DrawFrames(benchmark::State& state, bool lines) {
  GlView view;
  ViewState plot = PlotOf(int(state.range(0)), lines);
  view.SetFrameSource([&plot] {
    // The plot turning as it does by itself, so every frame is a new one.
    plot.camera.orientation = glm::normalize(plot.camera.orientation * glm::angleAxis(0.002f, glm::vec3(0, 1, 0)));
    return DescribeFrame(plot);
  });
  if (!ShowForFrames(view, state)) return;
  for (auto _ : state) view.DrawFrameAndWait();
  state.SetLabel(view.RendererName());
}

void BmPlotFrame(benchmark::State& state) { DrawFrames(state, false); }
void BmPlotFrameWithLines(benchmark::State& state) { DrawFrames(state, true); }
// Arguments: points, and the slices of the sphere mesh the frame once had.
// 501 is the plot's frame; 0 the fixed part (clear, glass, plates, caption).
BENCHMARK(BmPlotFrame)
    ->Name("BM_PlotFrame")
    ->Args({501, 16})
    ->Args({0, 16})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BmPlotFrameWithLines)->Name("BM_PlotFrameWithLines")->Arg(501)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
