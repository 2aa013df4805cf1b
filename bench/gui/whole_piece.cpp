// SPDX-License-Identifier: GPL-3.0-or-later
// Frames of the full view of a whole piece of 7,562 events (../WholePiece.h),
// the plot turning: BM_WholePieceDescribe makes each frame's description,
// BM_WholePieceFrame describes and draws it and waits for the renderer (run
// under Xvfb for Mesa's software renderer). Its hover pick is in pick.cpp.

#include <benchmark/benchmark.h>

#include "../WholePiece.h"
#include "ShownGlView.h"
#include "plot/DescribeFrame.h"

namespace {

using namespace rp;

void BmWholePieceDescribe(benchmark::State& state) {
  WholePiece piece;
  for (auto _ : state) {
    piece.Turn();
    benchmark::DoNotOptimize(DescribeFrame(piece.s));
  }
}
BENCHMARK(BmWholePieceDescribe)->Name("BM_WholePieceDescribe")->Unit(benchmark::kMillisecond);

void BmWholePieceFrame(benchmark::State& state) {
  WholePiece piece;
  GlView view;
  view.SetFrameSource([&piece] {
    piece.Turn();
    return DescribeFrame(piece.s);
  });
  if (!ShowForFrames(view, state)) return;
  for (auto _ : state) view.DrawFrameAndWait();
  state.SetLabel(view.RendererName());
}
BENCHMARK(BmWholePieceFrame)->Name("BM_WholePieceFrame")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
