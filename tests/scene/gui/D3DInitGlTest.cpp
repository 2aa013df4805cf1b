// Device set-up on the real OpenGL device, the way the plot window uses it.
// Needs a display (Xvfb).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include "platform/Mesh.h"
#include "platform/qt/GlDevice.h"
#include "platform/qt/GlDirect3D.h"
#include "platform/qt/GlView.h"
#include "scene/D3DInit.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil.h"
#include "support/ScriptedDialogs.h"

namespace rp {
namespace {

TEST(D3DInitGl, WindowGetsADeviceThatDrawsTheDefaultSceneAndFollowsResizes) {
  static int argc = 1;
  static char name[] = "test_scene_gui";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

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
  D3DInit = D3DDeviceState{};
  D3DInit.CreateDirectX = [] { return std::make_shared<QtDirectX>(); };
  D3DInit.MessageDialogs = &dialogs;
  D3DInit.EndProgram = [&](int status) { ended = status; };

  ASSERT_TRUE(D3DUtil_Init(&window, true, 0, 0, D3DDEVTYPE_HAL, nullptr));
  auto device = std::dynamic_pointer_cast<GlDevice>(D3DInit.Device);
  ASSERT_TRUE(device);
  EXPECT_EQ(ended, -1);
  EXPECT_EQ(D3DInit.ClientWidth, 606);
  EXPECT_EQ(D3DInit.ClientHeight, 443);
  // On a software renderer: the reference device, announced exactly once.
  if (IsSoftwareRenderer(device->Renderer())) {
    EXPECT_EQ(D3DInit.DeviceType, D3DDEVTYPE_REF);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, kNoHardwareMessage);
  } else {
    EXPECT_EQ(D3DInit.DeviceType, D3DDEVTYPE_HAL);
    EXPECT_TRUE(dialogs.messages.empty());
  }
  std::printf("renderer: %s, device type %u\n", device->Renderer().c_str(),
              unsigned(D3DInit.DeviceType));

  // The plot window's frame: defaults, its camera, a grey clear, one sphere
  // at the origin.
  auto sphere = CreateSphere(*device, 1.0f, 16, 16);
  auto draw = [&] {
    D3DUtil_ApplySceneDefaults();
    D3DUtil_LookAt({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_AMBIENT, 0xFFC0C0C0);
    device->BeginScene();
    D3DUtil_ClearView(std::int32_t(0xFF303030u));
    D3DMATERIAL m{};
    m.Diffuse = m.Ambient = {0, 0, 1, 1};
    device->SetMaterial(m);
    sphere->DrawSubset(0);
    device->EndScene();
    D3DUtil_PresentView(&window);
    return device->ReadBackBuffer();
  };
  QImage frame = draw();
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
  ASSERT_TRUE(D3DUtil_ResizeWindowed(&window));
  EXPECT_EQ(D3DInit.ClientWidth, 400);
  EXPECT_EQ(D3DInit.ClientHeight, 300);
  frame = draw();
  EXPECT_EQ(frame.size(), QSize(400, 300));
  EXPECT_FLOAT_EQ(D3DUtil.AspectRatio, 0.75f);
  EXPECT_EQ(view->GrabFrame().size(), QSize(400, 300));
  EXPECT_EQ(ended, -1);
  D3DInit = D3DDeviceState{};
}

}  // namespace
}  // namespace rp
