// SPDX-License-Identifier: GPL-3.0-or-later
// The plot of a whole piece: a made-up performance of 7,562 events (80 to
// 400 ms apart, a pause of 2 to 10 s every 500th), all of them in the full
// view with connecting lines, floor shadows, ticks and the glass plate, the
// plot turning. BM_WholePieceDescribe makes the frame's description,
// BM_WholePiecePick finds the sphere under the mouse as the hover does (the
// mouse sweeping the window), BM_WholePieceFrame describes and draws a frame
// and waits for the renderer (run under Xvfb for Mesa's software renderer).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>

#include "plot/DescribeFrame.h"
#include "plot/FrameMove.h"
#include "plot/FullViewScale.h"
#include "plot/PerformancePoints.h"
#include "plot/ViewState.h"
#include "render/GlView.h"
#include "scene/ScenePick.h"
#include "support/LongPerformance.h"
#include "support/ScriptedDialogs.h"

namespace {

using namespace rp;

constexpr std::size_t kEvents = 7562;

struct WholePiece {
  Performance performance = testing::PerformanceOfIntervals(testing::LongPieceIntervals(kEvents));
  ScriptedDialogs dialogs;
  ViewState s;

  WholePiece() {
    s.rendererReady = true;
    s.viewport = {0, 0, 606, 443, 0, 1};
    s.labelFontSource = {"DejaVu Sans", 12, 400};
    s.titleFontSource = {"DejaVu Sans Condensed", 16.5f, 700};
    FillAllEventPoints(s, dialogs, performance);
    ApplyPerformanceSettings(s, performance.settings);
    ScaleFullView(s, performance);
    FrameMove(s, 0.0f);
  }
  void Turn() { s.orientation = glm::normalize(s.orientation * glm::angleAxis(0.002f, glm::vec3(0, 1, 0))); }
};

void BmWholePieceDescribe(benchmark::State& state) {
  WholePiece piece;
  for (auto _ : state) {
    piece.Turn();
    benchmark::DoNotOptimize(DescribeFrame(piece.s));
  }
}
BENCHMARK(BmWholePieceDescribe)->Name("BM_WholePieceDescribe")->Unit(benchmark::kMillisecond);

void BmWholePiecePick(benchmark::State& state) {
  WholePiece piece;
  piece.s.orientation = glm::angleAxis(0.6f, glm::vec3(0, 1, 0));
  const SceneDescription scene = DescribePickScene(piece.s);
  int step = 0, hits = 0;
  for (auto _ : state) {
    // The mouse sweeps the window in a 23 x 17 grid.
    const float x = float((step % 23) * 26 + 10), y = float((step / 23 % 17) * 26 + 10);
    ++step;
    const auto hit = PickSphere(scene, x, y);
    hits += hit ? 1 : 0;
    benchmark::DoNotOptimize(hit);
  }
  state.counters["hit share"] = double(hits) / double(step);
}
BENCHMARK(BmWholePiecePick)->Name("BM_WholePiecePick")->Unit(benchmark::kMicrosecond);

void BmWholePieceFrame(benchmark::State& state) {
  WholePiece piece;
  GlView view;
  view.SetFrameSource([&piece] {
    piece.Turn();
    return DescribeFrame(piece.s);
  });
  view.resize(606, 443);
  view.show();
  QElapsedTimer waited;
  waited.start();
  while (!(view.windowHandle() && view.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  if (!view.windowHandle() || !view.windowHandle()->isExposed() || !view.StartRenderer()) {
    state.SkipWithError("no window or no OpenGL 3.3 renderer");
    return;
  }
  view.DrawFrameAndWait();  // the first frame makes the textures
  for (auto _ : state) view.DrawFrameAndWait();
  state.SetLabel(view.RendererName());
}
BENCHMARK(BmWholePieceFrame)->Name("BM_WholePieceFrame")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
