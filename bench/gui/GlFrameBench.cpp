// SPDX-License-Identifier: GPL-3.0-or-later
// One plot frame on the OpenGL device at the window's design size 606 x 443:
// 501 point spheres (16 x 16) drawn in the two point passes, the glass pane
// in the third pass, and the caption. Each frame waits for the renderer to
// finish. Run under Xvfb to measure Mesa's
// software renderer; the renderer string is printed with the results.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>

#include "plot/DeviceSetup.h"
#include "render/GlDevice.h"
#include "render/GlView.h"
#include "scene/Mesh.h"
#include "scene/MeshInstance.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

namespace {

using namespace rp;

struct Scene {
  std::shared_ptr<SceneNode> root, glass, upper, lower;
};

Material Colour(float r, float g, float b, float a) {
  Material m{};
  m.diffuse = m.ambient = {r, g, b, a};
  return m;
}

Scene BuildScene(GraphicsDevice& device, int points, std::uint32_t slices) {
  auto sphere = CreateSphere(device, 0.1f, slices, slices);
  auto box = CreateBox(device, 10, 10, 0.1f);
  Scene s;
  s.root = NewSceneNode(nullptr);
  s.glass = NewSceneNode(s.root);
  s.glass->AddMesh(box)->SetMaterial(Colour(0.753f, 0.753f, 0.753f, 0.2f));
  s.glass->SetOrientation(QuatFromAxisAngle({1, 0, 0}, 3.1415f / 2));
  s.upper = NewSceneNode(s.root);
  s.lower = NewSceneNode(s.root);
  for (int i = 0; i < points; ++i) {
    // A wandering path through the plot cube, a few points below the floor.
    const float t = float(i) / float(points);
    const glm::vec3 p{4 * std::sin(7 * t * 6.283f), 8 * t - 0.5f, 4 * std::cos(5 * t * 6.283f)};
    auto node = NewSceneNode(p.y >= 0 ? s.upper : s.lower);
    node->SetScale(i + 1 == points ? 2.0f : 1.0f);
    node->SetPosition(p);
    node->AddMesh(sphere)->SetMaterial(i + 1 == points ? Colour(1, 0.5f, 0, 1) : Colour(0, 0, 1, 1));
  }
  s.root->UpdateWorldMatrices();
  return s;
}

void BmPlotFrame(benchmark::State& state) {
  GlView view;
  view.resize(606, 443);
  view.show();
  QElapsedTimer waited;
  waited.start();
  while (!(view.windowHandle() && view.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  if (!view.windowHandle() || !view.windowHandle()->isExposed()) {
    state.SkipWithError("no window");
    return;
  }
  ConsoleDialogs dialogs;
  DeviceSetup setup;
  setup.makeDevice = &GlDevice::CreateOn;
  setup.dialogs = &dialogs;
  if (!setup.CreateDeviceForWindow(view.Handle())) {
    state.SkipWithError("no OpenGL device");
    return;
  }
  auto device = std::dynamic_pointer_cast<GlDevice>(setup.Device());
  ApplySceneDefaults(*device, 606, 443);
  device->SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
  device->SetCulling(Culling::None);
  device->SetMinFilter(TextureFilter::Linear);
  Scene scene = BuildScene(*device, int(state.range(0)), std::uint32_t(state.range(1)));
  auto font = device->CreateFont({"DejaVu Sans", 12.0f, 400});

  auto frame = [&] {
    scene.root->UpdateWorldMatrices();
    device->Clear(0xFF303030);
    device->SetAmbientLight(0xFFC0C0C0);
    device->BeginScene();
    scene.lower->enabled = true;
    scene.upper->enabled = scene.glass->enabled = false;
    scene.root->Render(*device);
    scene.upper->enabled = true;
    scene.lower->enabled = false;
    scene.root->Render(*device);
    font->DrawText("z axis = event n+2d", {10, 20, 0, 0}, 0xFFFFFFFF);
    scene.glass->enabled = true;
    scene.upper->enabled = false;
    scene.root->Render(*device);
    device->EndScene();
    device->Present();
    // Wait for the renderer to finish the frame, so the time is the frame's.
    device->Context().Gl().glFinish();
  };
  frame();
  for (auto _ : state) {
    frame();
    QApplication::processEvents();
  }
  state.SetLabel(device->Renderer());
}
// Arguments: points, sphere slices and stacks. 501 x 16 is the plot's frame;
// the others split the cost into per-draw (coarse spheres) and fixed (no
// points: clear, glass, caption) parts.
BENCHMARK(BmPlotFrame)->Args({501, 16})->Args({501, 4})->Args({0, 16})->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
