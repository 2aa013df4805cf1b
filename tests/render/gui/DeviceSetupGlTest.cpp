// SPDX-License-Identifier: GPL-3.0-or-later
// Device set-up on the real OpenGL device, the way the plot window uses it.
// Needs a display (Xvfb).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include "plot/DeviceSetup.h"
#include "render/GlDevice.h"
#include "render/GlView.h"
#include "scene/Mesh.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

TEST(DeviceSetupGl, WindowGetsADeviceThatDrawsTheDefaultSceneAndFollowsResizes) {
  // The handle is the plot window; the device finds the GlView inside it.
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* view = new GlView;
  layout->addWidget(view);
  window.resize(606, 443);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  ScriptedDialogs dialogs;
  int ended = -1;
  DeviceSetup setup;
  setup.makeDevice = &GlDevice::CreateOn;
  setup.dialogs = &dialogs;
  setup.endProgram = [&](int status) { ended = status; };

  ASSERT_TRUE(setup.CreateDeviceForWindow(&window));
  auto device = std::dynamic_pointer_cast<GlDevice>(setup.Device());
  ASSERT_TRUE(device);
  EXPECT_EQ(ended, -1);
  // On a software renderer: the software device, announced exactly once.
  if (IsSoftwareRenderer(device->Renderer())) {
    EXPECT_EQ(setup.Kind(), DeviceKind::Software);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kNoHardwareMessage);
  } else {
    EXPECT_EQ(setup.Kind(), DeviceKind::Hardware);
    EXPECT_TRUE(dialogs.messages.empty());
  }
  std::printf("renderer: %s\n", device->Renderer().c_str());

  // The plot window's frame: defaults, its camera, a grey clear, one sphere
  // at the origin.
  auto sphere = CreateSphere(*device, 1.0f, 16, 16);
  auto draw = [&](int width, int height) {
    ApplySceneDefaults(*device, width, height);
    device->SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
    device->SetCulling(Culling::None);
    device->SetAmbientLight(0xFFC0C0C0);
    device->BeginScene();
    device->Clear(0xFF303030);
    Material m{};
    m.diffuse = m.ambient = {0, 0, 1, 1};
    device->SetMaterial(m);
    sphere->DrawSubset(0);
    device->EndScene();
    device->Present();
    return device->ReadBackBuffer();
  };
  QImage frame = draw(606, 443);
  ASSERT_EQ(frame.size(), QSize(606, 443));
  EXPECT_EQ(frame.pixel(5, 5) & 0xFFFFFF, 0x303030u);
  const QRgb centre = frame.pixel(303, 221);
  EXPECT_EQ(qRed(centre), 0);
  EXPECT_GE(qBlue(centre), 0xC0 - 2);  // at least the ambient share of blue
  // Round on screen: as many blue pixels across as down.
  auto extent = [&](bool across) {
    int n = 0;
    for (int i = 0; i < (across ? 606 : 443); ++i) {
      const QRgb p = across ? frame.pixel(i, 221) : frame.pixel(303, i);
      n += qBlue(p) > qRed(p) + 40 ? 1 : 0;
    }
    return n;
  };
  EXPECT_NEAR(extent(true), extent(false), 2);
  EXPECT_GT(extent(true), 20);

  window.resize(400, 300);
  QApplication::processEvents();
  ASSERT_TRUE(setup.ResizeToWindow());
  EXPECT_EQ(device->GetViewport().width, 400u);
  EXPECT_EQ(device->GetViewport().height, 300u);
  frame = draw(400, 300);
  EXPECT_EQ(frame.size(), QSize(400, 300));
  EXPECT_EQ(view->GrabFrame().size(), QSize(400, 300));
  EXPECT_EQ(ended, -1);
}

}  // namespace
}  // namespace rp
