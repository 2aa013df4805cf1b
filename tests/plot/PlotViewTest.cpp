// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Dialogs.h"
#include "model/Performance.h"
#include "model/ReplayPosition.h"
#include "plot/DeviceSetup.h"
#include "plot/PlotView.h"
#include "plot/ViewWindow.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "support/FakeControlPanel.h"
#include "support/RecordingDevice.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPerformance.h"

namespace rp {
namespace {

class FakeWindow final : public ViewWindow {
 public:
  WindowHandle Handle() override { return this; }
  FontDesc LabelFontSource() override { return {"DejaVu Sans", 12, 400}; }
  FontDesc TitleFontSource() override { return {"DejaVu Sans Condensed", 16.5f, 700}; }
  std::int32_t ClientWidth() override { return width; }
  std::int32_t ClientHeight() override { return height; }
  bool IsMinimized() override { return minimized; }
  void SetClientWidth(std::int32_t p) override { log.push_back("width " + std::to_string(width = p)); }
  void SetClientHeight(std::int32_t p) override { log.push_back("height " + std::to_string(height = p)); }
  void SetBorderFixed(bool fixed) override { borderFixed = fixed; }
  void SetTimerEnabled(bool on) override { log.push_back((timer = on) ? "timer on" : "timer off"); }
  void ShowControlPanel() override {
    log.push_back("control panel");
    if (controlPanelLoad) controlPanelLoad();
  }
  void PlaceAndShow() override { log.push_back("show"); }
  void EndProgram() override { log.push_back("end"); }

  std::vector<std::string> log;
  std::int32_t width = 606, height = 443;
  bool minimized = false, timer = false, borderFixed = false;
  std::function<void()> controlPanelLoad;
};

class FailingFont final : public Font {
 public:
  std::int32_t MeasureText(std::string_view, Rect&) override { throw DeviceError("text failed"); }
  std::int32_t DrawText(std::string_view, const Rect&, Argb32) override { throw DeviceError("text failed"); }
  const FontDesc& Desc() const override { return desc_; }

 private:
  FontDesc desc_;
};

// The plot window over the recording device, with a control panel whose
// load reads a performance of 20 events, as at start-up.
struct Window {
  FakeWindow window;
  ScriptedDialogs dialogs;
  FakeControlPanel panel;
  Performance performance;
  ReplayPosition position;
  ComparedPerformances compared;
  PlotView view{window, dialogs, performance, position, compared};
  std::vector<int> endedWith;
  bool hardware = true, software = true;  // which kinds of device can be made
  std::shared_ptr<RecordingDevice> device;
  WindowHandle madeOn = nullptr;

  Window() {
    view.Setup().makeDevice = [this](WindowHandle on, DeviceKind kind) {
      if (!(kind == DeviceKind::Hardware ? hardware : software)) return std::shared_ptr<RecordingDevice>();
      madeOn = on;
      device = std::make_shared<RecordingDevice>();
      return device;
    };
    view.Setup().endProgram = [this](int status) { endedWith.push_back(status); };
    view.SetControlPanel(&panel);
    window.controlPanelLoad = [this] {
      performance = testing::MakePerformance(20);
      view.ShowFirstEvents();
    };
  }
  RecordingDevice& Dev() { return *device; }
  ViewState& S() { return view.State(); }
};

std::vector<std::string> Ops(const RecordingDevice& dev, const std::vector<std::string>& wanted) {
  std::vector<std::string> ops;
  for (const DeviceCall& c : dev.calls)
    for (const std::string& w : wanted)
      if (c.op == w) ops.push_back(c.op);
  return ops;
}

TEST(PlotView, StartUpBringsUpThePanelFirstThenBuildsTheScene) {
  Window w;
  bool deviceDuringPanelLoad = true;
  std::size_t pointsBeforeDevice = 0;
  w.window.controlPanelLoad = [&] {
    w.performance = testing::MakePerformance(20);
    w.view.ShowFirstEvents();  // the first file, before the view has a device
    deviceDuringPanelLoad = w.device != nullptr || w.S().rootNode != nullptr;
    pointsBeforeDevice = w.S().points.Count();
  };
  w.view.Start();
  EXPECT_FALSE(deviceDuringPanelLoad);
  EXPECT_EQ(pointsBeforeDevice, 20u);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"control panel", "show", "timer on"}));

  ViewState& s = w.S();
  ASSERT_TRUE(s.deviceReady);
  EXPECT_EQ(w.view.Device(), w.device.get());
  EXPECT_EQ(w.madeOn, static_cast<WindowHandle>(&w.window));
  EXPECT_EQ(s.rendererKind, DeviceKind::Hardware);
  ASSERT_TRUE(s.rootNode);
  EXPECT_EQ(s.upperPoints->ChildCount(), 20) << "the scene is built from the panel's points";
  EXPECT_FLOAT_EQ(s.upperPoints->GetChild(19)->GetPosition().x, 4.0f) << "after the range pass";
  EXPECT_TRUE(s.autoRotate);
  EXPECT_FALSE(s.mediaFolder.empty());
  EXPECT_EQ(s.mediaFolder.back(), '/');

  // The names are set after the build: the texture still shows the update's.
  EXPECT_EQ(s.xAxisName, "actual event (n)");
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->text, "actual event n");
  EXPECT_EQ(w.Dev().Calls("CreateTexture")[0]->args[3], std::uint32_t(TextureFormat::Rgb))
      << "the plates' texture is opaque";
  EXPECT_EQ(s.sizeName, "s");

  // Device objects and camera.
  EXPECT_EQ(s.pointMesh->GetNumVertices(), 16u * 15u + 2u);
  EXPECT_EQ(s.glassMesh->ComputeBoundingBox().max.x, 5.0f);
  EXPECT_EQ(s.axisNameTexture->Width(), 256u);
  EXPECT_EQ(s.axisNameTexture->GetLevelCount(), 9u) << "the full mip chain";
  EXPECT_EQ(s.titleFont->Desc().faceName, "DejaVu Sans Condensed");
  EXPECT_EQ(s.labelFont->Desc().faceName, "DejaVu Sans");
  EXPECT_EQ(w.Dev().Count("CreateFont"), 4u) << "made with the objects, and again by the restore";
  EXPECT_EQ(w.Dev().States().culling, Culling::None);
  EXPECT_EQ(w.Dev().States().minFilter, TextureFilter::Linear);
  const glm::mat4 look = LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(s.viewMatrix[r][c], look[r][c]);
  EXPECT_EQ(s.cameraPosition.y, 4.0f);
  EXPECT_EQ(s.cameraPosition.z, -20.0f);
  EXPECT_EQ(s.cameraMatrix, glm::mat4(1.0f));
  EXPECT_EQ(s.rotationSum.angle, 0.0f);
  EXPECT_TRUE(w.endedWith.empty());
}

TEST(PlotView, WithoutHardwareTheSoftwareRendererDrivesTheCamera) {
  Window w;
  w.hardware = false;
  w.view.Start();
  ASSERT_TRUE(w.S().deviceReady);
  EXPECT_EQ(w.S().rendererKind, DeviceKind::Software);
  ASSERT_EQ(w.dialogs.messages.size(), 1u);
  EXPECT_EQ(w.dialogs.messages[0].text, kNoHardwareMessage);
}

TEST(PlotView, WithoutAnyDeviceTheProgramEnds) {
  Window w;
  w.hardware = false;
  w.software = false;
  w.view.Start();
  EXPECT_FALSE(w.S().deviceReady);
  EXPECT_EQ(w.window.log.back(), "end");
  ASSERT_EQ(w.dialogs.messages.size(), 2u);
  EXPECT_EQ(w.dialogs.messages[1].text, kNoDeviceMessage);
  w.view.OnFrameTimer();  // nothing left to draw with
  w.view.Paint();
  w.view.Resized();
  EXPECT_EQ(w.panel.stopPlays, 1) << "a resize stops the replay even without a device";
}

// Two points, one above and one below the floor, in their own colours.
void TwoPoints(Window& w) {
  w.view.Start();
  ViewState& s = w.S();
  s.points = PointCollection{};
  DataEntry upper, lower;
  upper.y = 1;
  upper.size = 1;
  upper.colour = static_cast<std::int32_t>(0xFFFF0000u);
  lower.y = -1;
  lower.size = 1;
  lower.colour = static_cast<std::int32_t>(0xFF00FF00u);
  s.points.Add(upper);
  s.points.Add(lower);
  w.view.BuildScene();
  w.Dev().calls.clear();
}

// What each mesh draw of the frame drew: "lower", "upper" or "glass".
std::vector<std::string> Draws(Window& w) {
  std::vector<std::string> what;
  for (const DeviceCall& c : w.Dev().calls) {
    if (c.op == "DrawText") what.push_back("text " + c.text);
    if (c.op != "DrawSubset") continue;
    if (c.object == w.S().glassMesh.get()) {
      what.push_back("glass");
    } else {
      what.push_back(c.state.material.diffuse.r == 1.0f ? "upper" : "lower");
    }
  }
  return what;
}

TEST(PlotView, AFrameDrawsLowerUpperLabelsThenGlass) {
  Window w;
  TwoPoints(w);
  ViewState& s = w.S();
  w.view.DrawFrame();
  EXPECT_EQ(Ops(w.Dev(), {"Clear", "BeginScene", "EndScene", "Present"}),
            (std::vector<std::string>{"Clear", "BeginScene", "EndScene", "Present"}));
  const DeviceCall& clear = *w.Dev().Calls("Clear")[0];
  EXPECT_EQ(clear.args[0], 0xFF303030u);
  EXPECT_EQ(w.Dev().States().ambientLight, 0xFFC0C0C0u);
  EXPECT_EQ(Draws(w), (std::vector<std::string>{"lower", "upper", "text z axis = event n+2d", "glass"}));
  const DeviceCall& caption = *w.Dev().Calls("DrawText")[0];
  EXPECT_EQ(caption.rect.left, 10);
  EXPECT_EQ(caption.rect.top, 20);
  EXPECT_EQ(caption.args, (std::vector<std::uint32_t>{0xFFFFFFFFu}));
  EXPECT_EQ(caption.object, s.labelFont.get());
  EXPECT_TRUE(s.glassNode->enabled);
  EXPECT_FALSE(s.upperPoints->enabled);
  EXPECT_FALSE(s.lowerPoints->enabled);

  // Without the glass it is never drawn; a hover label comes before the caption.
  s.showGlass = false;
  s.showHoverText = true;
  s.hoverText = "Note";
  s.hoverRect = {40, 50, 0, 0};
  w.Dev().calls.clear();
  w.view.OnFrameTimer();
  EXPECT_EQ(Draws(w), (std::vector<std::string>{"lower", "upper", "text Note", "text z axis = event n+2d"}));
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->rect.left, 40);
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->rect.top, 50);
  EXPECT_TRUE(s.upperPoints->enabled);
}

TEST(PlotView, ALostDeviceIsResetOrMadeAnewOrReportedOnce) {
  Window w;
  TwoPoints(w);
  // A device that gets its context back: the reset path, new fonts, and the frame.
  const std::size_t fonts = w.Dev().Count("CreateFont");
  w.Dev().status = DeviceStatus::Lost;
  w.view.DrawFrame();
  EXPECT_EQ(Ops(w.Dev(), {"ResetBackBuffer", "BeginScene", "Present"}),
            (std::vector<std::string>{"ResetBackBuffer", "BeginScene", "Present"}));
  EXPECT_GT(w.Dev().Count("CreateFont"), fonts);

  // One that cannot: a new device on the window, every device object and
  // the scene made on it, and the frame drawn there.
  RecordingDevice* lost = w.device.get();
  lost->status = DeviceStatus::Lost;
  lost->resetSucceeds = false;
  w.view.DrawFrame();
  ASSERT_NE(w.device.get(), lost);
  EXPECT_EQ(w.view.Device(), w.device.get());
  const std::vector<std::string> drawn = Draws(w);  // the axis names first, then the frame
  ASSERT_GE(drawn.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(drawn.end() - 4, drawn.end()),
            (std::vector<std::string>{"lower", "upper", "text z axis = event n+2d", "glass"}));
  EXPECT_TRUE(w.dialogs.messages.empty());

  // No device to be had: one message, no more frames, the panel's updates go on.
  w.Dev().status = DeviceStatus::Lost;
  w.Dev().resetSucceeds = false;
  w.hardware = w.software = false;
  w.window.timer = true;
  w.Dev().calls.clear();
  w.view.DrawFrame();
  w.view.OnFrameTimer();
  w.view.Paint();
  ASSERT_EQ(w.dialogs.messages.size(), 1u);
  EXPECT_EQ(w.dialogs.messages[0].text, kDisplayLostMessage);
  EXPECT_FALSE(w.window.timer);
  EXPECT_EQ(w.Dev().Count("BeginScene"), 0u);
  w.performance = testing::MakePerformance(20);
  w.position.currentEvent = 5;
  w.view.ShowFirstEvents();
  w.view.ShowTail();
  EXPECT_TRUE(w.endedWith.empty());

  // A failed reset of a device that asks for one is still an error.
  Window r;
  TwoPoints(r);
  r.Dev().status = DeviceStatus::NeedsReset;
  r.Dev().resetSucceeds = false;
  EXPECT_THROW(r.view.DrawFrame(), DeviceError);

  // A failure inside the scene still ends it, so the next frame can begin.
  r.Dev().resetSucceeds = true;
  r.Dev().status = DeviceStatus::Ready;
  r.S().labelFont = std::make_shared<FailingFont>();
  EXPECT_THROW(r.view.DrawFrame(), DeviceError);
  EXPECT_FALSE(r.Dev().InScene());
}

TEST(PlotView, ResizeMinimiseAndTooSmallAWindow) {
  Window w;
  w.view.Start();
  w.window.log.clear();
  const std::size_t fonts = w.Dev().Count("CreateFont");

  w.window.minimized = true;
  w.view.Resized();
  EXPECT_TRUE(w.S().minimized);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"timer off"}));
  EXPECT_EQ(w.Dev().Count("ResetBackBuffer"), 0u);

  // Restored to a client 5 pixels wide: corrected to 10, the plot waits.
  w.window.minimized = false;
  w.window.width = 5;
  w.view.Resized();
  EXPECT_FALSE(w.S().minimized);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"timer off", "timer off", "width 10"}));
  EXPECT_EQ(w.Dev().Count("ResetBackBuffer"), 0u);
  w.window.height = 3;
  w.view.Resized();
  EXPECT_EQ(w.window.log.back(), "height 10");

  // The resize the correction raises rebuilds the device objects.
  w.view.Resized();
  EXPECT_EQ(w.window.log.back(), "timer on");
  EXPECT_EQ(w.Dev().Count("ResetBackBuffer"), 1u);
  EXPECT_EQ(w.Dev().Count("CreateFont"), fonts + 2);
  EXPECT_EQ(w.Dev().GetTransform(Transform::Projection)[0][0],
            PerspectiveFovLH(3.1415f / 4, 10.0f / 10.0f, 1, 3000)[0][0])
      << "the projection follows the corrected client";
  EXPECT_EQ(w.panel.stopPlays, 4) << "every resize stops the replay";
  EXPECT_TRUE(w.endedWith.empty());

  w.view.SetBorderFixed(true);
  EXPECT_TRUE(w.window.borderFixed);
}

TEST(PlotView, TailUpdateKeepsTheScaleAndMarksTheCurrentEvent) {
  Window w;
  w.view.Start();
  ViewState& s = w.S();
  const double minX = s.minX, maxY = s.maxY;
  w.position.currentEvent = 5;
  w.position.tailLength = 10;
  w.view.ShowTail();
  EXPECT_EQ(s.minX, minX);
  EXPECT_EQ(s.maxY, maxY);
  ASSERT_EQ(s.points.Count(), 11u);
  const auto& upper = *s.upperPoints;
  ASSERT_EQ(upper.ChildCount(), 11);
  const auto current = upper.GetChild(10);
  EXPECT_EQ(current->name, " 11");
  EXPECT_EQ(current->GetScale(), 2.0f);
  EXPECT_FLOAT_EQ(current->GetMesh(0)->GetMaterial()->diffuse.g, 176 / 255.f);
  EXPECT_EQ(upper.GetChild(0)->GetScale(), 0.0f) << "placeholder";
  EXPECT_TRUE(s.showGlass);
  EXPECT_EQ(s.xAxisName, "actual event n");

  // A scatter file from the hidden menu entry: the scene follows it.
  w.dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/scatter_cube.csv")};
  const std::size_t culls = w.Dev().Count("SetCulling");
  w.view.LoadScatterFile();
  EXPECT_EQ(s.points.Count(), 3u);
  EXPECT_EQ(s.upperPoints->ChildCount(), 3);
  EXPECT_GT(w.Dev().Count("SetCulling"), culls) << "device objects restored";
}

}  // namespace
}  // namespace rp
