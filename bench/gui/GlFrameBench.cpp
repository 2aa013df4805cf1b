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

#include "platform/Mesh.h"
#include "platform/qt/GlDevice.h"
#include "platform/qt/GlDirect3D.h"
#include "platform/qt/GlView.h"
#include "scene/CD3DFrame.h"
#include "scene/CD3DMesh.h"
#include "scene/D3DInit.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil.h"

namespace {

using namespace rp;

struct Scene {
  std::shared_ptr<CD3DFrame> root, glass, upper, lower;
};

D3DMATERIAL Colour(float r, float g, float b, float a) {
  D3DMATERIAL m{};
  m.Diffuse = m.Ambient = {r, g, b, a};
  return m;
}

Scene BuildScene(GraphicsDevice& device, int points, std::uint32_t slices) {
  auto sphere = CreateSphere(device, 0.1f, slices, slices);
  auto box = CreateBox(device, 10, 10, 0.1f);
  Scene s;
  s.root = D3DUtil_NewFrame(nullptr);
  s.glass = D3DUtil_NewFrame(s.root);
  s.glass->AddD3DXMesh(box)->SetMaterialOverride(Colour(0.753f, 0.753f, 0.753f, 0.2f));
  s.glass->SetOrientation(D3DXQuaternionRotationAxis({1, 0, 0}, 3.1415f / 2));
  s.upper = D3DUtil_NewFrame(s.root);
  s.lower = D3DUtil_NewFrame(s.root);
  for (int i = 0; i < points; ++i) {
    // A wandering path through the plot cube, a few points below the floor.
    const float t = float(i) / float(points);
    const D3DVECTOR p{4 * std::sin(7 * t * 6.283f), 8 * t - 0.5f, 4 * std::cos(5 * t * 6.283f)};
    auto frame = D3DUtil_NewFrame(p.y >= 0 ? s.upper : s.lower);
    frame->SetScale(i + 1 == points ? 2.0f : 1.0f);
    frame->SetPosition(p);
    frame->AddD3DXMesh(sphere)->SetMaterialOverride(
        i + 1 == points ? Colour(1, 0.5f, 0, 1) : Colour(0, 0, 1, 1));
  }
  s.root->UpdateFrames();
  return s;
}

void BM_PlotFrame(benchmark::State& state) {
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
  D3DInit = D3DDeviceState{};
  D3DInit.CreateDirectX = [] { return std::make_shared<QtDirectX>(); };
  D3DInit.MessageDialogs = &dialogs;
  if (!D3DUtil_Init(view.Handle(), true, 0, 0, D3DDEVTYPE_HAL, nullptr)) {
    state.SkipWithError("no OpenGL device");
    return;
  }
  auto device = std::dynamic_pointer_cast<GlDevice>(D3DInit.Device);
  D3DUtil_ApplySceneDefaults();
  D3DUtil_LookAt({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  Scene scene = BuildScene(*device, int(state.range(0)), std::uint32_t(state.range(1)));
  auto font = device->CreateFont({"DejaVu Sans", 12.0f, 400});

  auto frame = [&] {
    scene.root->UpdateFrames();
    D3DUtil_ClearView(std::int32_t(0xFF303030u));
    device->SetRenderState(D3DRS_AMBIENT, 0xFFC0C0C0);
    device->BeginScene();
    scene.lower->Enabled = true;
    scene.upper->Enabled = scene.glass->Enabled = false;
    scene.root->Render(*device);
    scene.upper->Enabled = true;
    scene.lower->Enabled = false;
    scene.root->Render(*device);
    RECT caption{10, 20, 0, 0};
    font->DrawText("z axis = event n+2d", caption, 0, 0xFFFFFFFF);
    scene.glass->Enabled = true;
    scene.upper->Enabled = false;
    scene.root->Render(*device);
    device->EndScene();
    D3DUtil_PresentView(view.Handle());
    // Wait for the renderer to finish the frame, so the time is the frame's.
    device->Context().Gl().glFinish();
  };
  frame();
  for (auto _ : state) {
    frame();
    QApplication::processEvents();
  }
  state.SetLabel(device->Renderer());
  D3DInit = D3DDeviceState{};
}
// Arguments: points, sphere slices and stacks. 501 x 16 is the plot's frame;
// the others split the cost into per-draw (coarse spheres) and fixed (no
// points: clear, glass, caption) parts.
BENCHMARK(BM_PlotFrame)
    ->Args({501, 16})
    ->Args({501, 4})
    ->Args({0, 16})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
