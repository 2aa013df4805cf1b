// SPDX-License-Identifier: GPL-3.0-or-later
// Hover picking cost: a pick over the plot's 501 point spheres (radius 0.1,
// some at 0.2) as the view's camera sees them, the plot turned; and over the
// full view of a whole piece of 7,562 events (WholePiece.h).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "WholePiece.h"
#include "plot/DescribeFrame.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/ScenePick.h"

namespace {

using namespace rp;

SceneDescription Scene() {
  SceneDescription s;
  s.camera.view = LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  s.camera.projection = PlotProjection(606, 443);
  s.camera.viewport = {0, 0, 606, 443, 0, 1};
  s.orientation = RotationMatrix({0, 1, 0}, 0.6f);
  return s;
}

// Points spread through the plot cube (x, z in -4..4, y in 0..8), sizes 1..2.
void FillCube(SceneDescription& s, int n) {
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return float(seed >> 8) / float(1u << 24);
  };
  for (int i = 0; i < n; ++i) {
    const float radius = 0.1f * (1.0f + next());
    s.spheres.push_back({{next() * 8 - 4, next() * 8, next() * 8 - 4}, radius, {0, 0, 1, 1}, {0, std::size_t(i + 1)}});
  }
}

// Picks at the mouse sweeping the window in a 23 x 17 grid.
void PickSweep(benchmark::State& state, const SceneDescription& s) {
  int step = 0, hits = 0;
  for (auto _ : state) {
    const float x = float((step % 23) * 26 + 10), y = float((step / 23 % 17) * 26 + 10);
    ++step;
    const auto hit = PickSphere(s, x, y);
    hits += hit ? 1 : 0;
    benchmark::DoNotOptimize(hit);
  }
  state.counters["hit share"] = double(hits) / double(step);
}

void BmViewportPick501(benchmark::State& state) {
  SceneDescription s = Scene();
  FillCube(s, 501);
  PickSweep(state, s);
}
BENCHMARK(BmViewportPick501)->Unit(benchmark::kMicrosecond);

void BmWholePiecePick(benchmark::State& state) {
  WholePiece piece;
  piece.s.camera.orientation = glm::angleAxis(0.6f, glm::vec3(0, 1, 0));
  PickSweep(state, DescribePickScene(piece.s));
}
BENCHMARK(BmWholePiecePick)->Name("BM_WholePiecePick")->Unit(benchmark::kMicrosecond);

// Worst case: all 501 spheres on the line of sight, every one hit.
void BmViewportPick501AllHit(benchmark::State& state) {
  SceneDescription s = Scene();
  s.camera.view = LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0});
  s.orientation = glm::mat4(1.0f);
  for (int i = 0; i < 501; ++i) s.spheres.push_back({{0, 0, float(i) * 0.02f}, 0.1f, {0, 0, 1, 1}, {}});
  const glm::vec3 px = WindowPosition(s, {0, 0, 0});
  for (auto _ : state) benchmark::DoNotOptimize(PickSphere(s, px.x, px.y));
}
BENCHMARK(BmViewportPick501AllHit)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
