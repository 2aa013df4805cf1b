// SPDX-License-Identifier: GPL-3.0-or-later
// Hover picking cost: a viewport pick over the plot's 501 point spheres
// (radius 0.1, 16 slices, 16 stacks) under one root, with the view's camera.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "scene/RayPicker.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/RecordingDevice.h"

namespace {

using namespace rp;

struct Scene {
  RecordingDevice dev;
  std::shared_ptr<SceneNode> root = NewSceneNode(nullptr);
  std::shared_ptr<Mesh> sphere = CreateSphere(dev, 0.1f, 16, 16);

  Scene() {
    dev.SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
    dev.SetTransform(Transform::Projection, PerspectiveFovLH(3.1415f / 4, 606.0f / 443, 1, 3000));
    root->AddRotation(SceneNode::Combine::Before, 0, 1, 0, 0.6f);
  }
};

// Points spread through the plot cube (x, z in -4..4, y in 0..8), sizes 1..2.
void FillCube(Scene& s, int n) {
  auto group = NewSceneNode(s.root);
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return float(seed >> 8) / float(1u << 24);
  };
  for (int i = 0; i < n; ++i) {
    auto node = NewSceneNode(group);
    node->SetScale(1.0f + next());
    node->SetPosition({next() * 8 - 4, next() * 8, next() * 8 - 4});
    node->AddMesh(s.sphere);
  }
}

void BmViewportPick501(benchmark::State& state) {
  Scene s;
  FillCube(s, 501);
  RayPicker pick;
  int step = 0, hits = 0;
  for (auto _ : state) {
    // The mouse sweeps the window in a 23 x 17 grid.
    const float x = float((step % 23) * 26 + 10), y = float((step / 23 % 17) * 26 + 10);
    ++step;
    pick.PickAt(s.dev, s.root, x, y);
    hits += pick.FindNearest() >= 0;
    benchmark::DoNotOptimize(pick.Count());
  }
  state.counters["hit share"] = double(hits) / double(step);
}
BENCHMARK(BmViewportPick501)->Unit(benchmark::kMicrosecond);

// Worst case: all 501 spheres on the line of sight, every one hit.
void BmViewportPick501AllHit(benchmark::State& state) {
  Scene s;
  s.dev.SetTransform(Transform::View, LookAtLH({0, 0, -20}, {0, 0, 0}, {0, 1, 0}));
  auto group = NewSceneNode(s.root);
  s.root->SetMatrix(glm::mat4(1.0f));
  for (int i = 0; i < 501; ++i) {
    auto node = NewSceneNode(group);
    node->SetPosition({0, 0, float(i) * 0.02f});
    node->AddMesh(s.sphere);
  }
  const glm::vec3 px = ProjectToWindow({0, 0, 0}, s.dev.GetViewport(), s.dev.GetTransform(Transform::Projection),
                                       s.dev.GetTransform(Transform::View), glm::mat4(1.0f));
  RayPicker pick;
  for (auto _ : state) {
    pick.PickAt(s.dev, s.root, px.x, px.y);
    benchmark::DoNotOptimize(pick.FindNearest());
  }
  state.counters["hits"] = pick.Count();
}
BENCHMARK(BmViewportPick501AllHit)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
