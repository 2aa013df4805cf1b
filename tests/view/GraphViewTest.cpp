#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "performance/Performance.h"
#include "performance/ReplayPosition.h"
#include "platform/Dialogs.h"
#include "platform/RecordingDirectX.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DInit.h"
#include "scene/D3DMath.h"
#include "scene/D3DUtil.h"
#include "support/ScriptedDialogs.h"
#include "view/FakeControlPanel.h"
#include "view/TestPerformance.h"
#include "view/GraphView.h"
#include "view/ViewWindow.h"

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
  void DoEvents() override { log.push_back("events"); }
  void EndProgram() override { log.push_back("end"); }

  std::vector<std::string> log;
  std::int32_t width = 606, height = 443;
  bool minimized = false, timer = false, borderFixed = false;
  std::function<void()> controlPanelLoad;
};

class FailingFont final : public Font {
 public:
  std::int32_t DrawText(std::string_view, RECT&, std::uint32_t, D3DCOLOR) override {
    throw DeviceError("text failed");
  }
  const FontDesc& Desc() const override { return desc_; }

 private:
  FontDesc desc_;
};

// The plot window over the recording device, with a control panel whose
// load reads a performance of 20 events, as at start-up.
struct Window {
  std::shared_ptr<RecordingDirectX> directX = std::make_shared<RecordingDirectX>();
  FakeWindow window;
  ScriptedDialogs dialogs;
  FakeControlPanel panel;
  Performance performance;
  ReplayPosition position;
  GraphView view{window, dialogs, performance, position};
  std::vector<int> endedWith;

  Window() {
    D3DInit = D3DDeviceState{};
    D3DInit.CreateDirectX = [this] { return directX; };
    D3DInit.MessageDialogs = &dialogs;
    D3DInit.EndProgram = [this](int status) { endedWith.push_back(status); };
    view.SetControlPanel(&panel);
    window.controlPanelLoad = [this] {
      performance = testing::MakePerformance(20);
      view.showFirstEvents();
    };
  }
  ~Window() { D3DInit = D3DDeviceState{}; }
  RecordingDevice& Dev() { return *directX->direct3d->lastDevice; }
  ViewState& S() { return view.State(); }
};

std::vector<std::string> Ops(const RecordingDevice& dev, const std::vector<std::string>& wanted) {
  std::vector<std::string> ops;
  for (const DeviceCall& c : dev.calls)
    for (const std::string& w : wanted)
      if (c.op == w) ops.push_back(c.op);
  return ops;
}

TEST(GraphView, StartUpBringsUpThePanelFirstThenBuildsTheScene) {
  Window w;
  bool deviceDuringPanelLoad = true;
  std::size_t pointsBeforeDevice = 0;
  w.window.controlPanelLoad = [&] {
    w.performance = testing::MakePerformance(20);
    w.view.showFirstEvents();  // the first file, before the view has a device
    deviceDuringPanelLoad = D3DInit.Device != nullptr || w.S().RootFrame != nullptr;
    pointsBeforeDevice = w.S().Points.Count();
  };
  w.view.Form_Load();
  EXPECT_FALSE(deviceDuringPanelLoad);
  EXPECT_EQ(pointsBeforeDevice, 20u);
  EXPECT_EQ(w.window.log,
            (std::vector<std::string>{"control panel", "show", "events", "events", "timer on"}));

  ViewState& s = w.S();
  ASSERT_TRUE(s.DeviceReady);
  EXPECT_EQ(w.view.Device(), D3DInit.Device.get());
  EXPECT_EQ(D3DInit.PresentParams.hDeviceWindow, static_cast<WindowHandle>(&w.window));
  ASSERT_TRUE(s.RootFrame);
  EXPECT_EQ(s.UpperPointsFrame->GetChildFrameCount(), 20) << "the scene is built from the panel's points";
  EXPECT_FLOAT_EQ(s.UpperPointsFrame->GetChildFrame(19)->GetPosition().x, 4.0f) << "after the range pass";
  EXPECT_TRUE(s.AutoRotate);
  EXPECT_FALSE(s.MediaFolder.empty());
  EXPECT_EQ(s.MediaFolder.back(), '/');
  EXPECT_EQ(D3DUtil.MediaPath, s.MediaFolder);

  // The names are set after the build: the texture still shows the update's.
  EXPECT_EQ(s.XAxisName, "actual event (n)");
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->text, "actual event n");
  EXPECT_EQ(s.SizeName, "s");

  // Device objects and camera.
  EXPECT_EQ(s.PointMesh->GetNumVertices(), 16u * 15u + 2u);
  EXPECT_EQ(s.GlassMesh->ComputeBoundingBox().max.x, 5.0f);
  EXPECT_EQ(s.AxisNameTexture->Width(), 256u);
  EXPECT_EQ(s.AxisNameTexture->GetLevelCount(), 9u) << "the full mip chain";
  EXPECT_EQ(s.TitleFont->Desc().faceName, "DejaVu Sans Condensed");
  EXPECT_EQ(s.LabelFont->Desc().faceName, "DejaVu Sans");
  EXPECT_EQ(w.Dev().Count("CreateFont"), 4u) << "made with the objects, and again by the restore";
  EXPECT_EQ(w.Dev().GetRenderState(D3DRS_CULLMODE), D3DCULL_NONE);
  EXPECT_EQ(w.Dev().TextureStageState(0, D3DTSS_MINFILTER), D3DTEXF_LINEAR);
  const D3DMATRIX look = D3DXMatrixLookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0});
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(s.ViewMatrix.m[r][c], look.m[r][c]);
  EXPECT_EQ(s.CameraPosition.y, 4.0f);
  EXPECT_EQ(s.CameraPosition.z, -20.0f);
  EXPECT_TRUE(D3DXMatrixIsIdentity(s.CameraMatrix));
  EXPECT_EQ(s.RotationSum.angle, 0.0f);
  EXPECT_TRUE(w.endedWith.empty());
}

TEST(GraphView, WithoutAnyDeviceTheProgramEnds) {
  Window w;
  w.directX->direct3d->hardwareAvailable = false;
  w.directX->direct3d->softwareAvailable = false;
  w.view.Form_Load();
  EXPECT_FALSE(w.S().DeviceReady);
  EXPECT_EQ(w.window.log.back(), "end");
  ASSERT_EQ(w.dialogs.messages.size(), 2u);
  EXPECT_EQ(w.dialogs.messages[1].text, kNoDeviceMessage);
  w.view.Timer1_Timer();  // nothing left to draw with
  w.view.Form_Paint();
  w.view.Form_Resize();
  EXPECT_EQ(w.panel.stopPlays, 1) << "a resize stops the replay even without a device";
}

// Two points, one above and one below the floor, in their own colours.
void TwoPoints(Window& w) {
  w.view.Form_Load();
  ViewState& s = w.S();
  s.Points = PointCollection{};
  DataEntry upper, lower;
  upper.y = 1;
  upper.size = 1;
  upper.color = static_cast<std::int32_t>(0xFFFF0000u);
  lower.y = -1;
  lower.size = 1;
  lower.color = static_cast<std::int32_t>(0xFF00FF00u);
  s.Points.Add(upper);
  s.Points.Add(lower);
  w.view.BuildGraph();
  w.Dev().calls.clear();
}

// What each mesh draw of the frame drew: "lower", "upper" or "glass".
std::vector<std::string> Draws(Window& w) {
  std::vector<std::string> what;
  for (const DeviceCall& c : w.Dev().calls) {
    if (c.op == "DrawText") what.push_back("text " + c.text);
    if (c.op != "DrawSubset") continue;
    if (c.object == w.S().GlassMesh.get()) {
      what.push_back("glass");
    } else {
      what.push_back(c.state.material.Diffuse.r == 1.0f ? "upper" : "lower");
    }
  }
  return what;
}

TEST(GraphView, DrawGraphDrawsLowerUpperLabelsThenGlass) {
  Window w;
  TwoPoints(w);
  ViewState& s = w.S();
  w.view.DrawGraph();
  EXPECT_EQ(Ops(w.Dev(), {"Clear", "BeginScene", "EndScene", "Present"}),
            (std::vector<std::string>{"Clear", "BeginScene", "EndScene", "Present"}));
  const DeviceCall& clear = *w.Dev().Calls("Clear")[0];
  EXPECT_EQ(clear.args[0], D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER);
  EXPECT_EQ(clear.args[1], 0xFF303030u);
  EXPECT_EQ(clear.values[0], 1.0f);
  EXPECT_EQ(w.Dev().GetRenderState(D3DRS_AMBIENT), 0xFFC0C0C0u);
  EXPECT_EQ(Draws(w), (std::vector<std::string>{"lower", "upper", "text z axis = event n+2d", "glass"}));
  const DeviceCall& caption = *w.Dev().Calls("DrawText")[0];
  EXPECT_EQ(caption.rect.left, 10);
  EXPECT_EQ(caption.rect.top, 20);
  EXPECT_EQ(caption.args, (std::vector<std::uint32_t>{0, 0xFFFFFFFFu}));
  EXPECT_EQ(caption.object, s.LabelFont.get());
  EXPECT_TRUE(s.GlassFrame->Enabled);
  EXPECT_FALSE(s.UpperPointsFrame->Enabled);
  EXPECT_FALSE(s.LowerPointsFrame->Enabled);

  // Without the glass it is never drawn; a hover label comes before the caption.
  s.ShowGlass = false;
  s.ShowHoverText = true;
  s.HoverText = "Note";
  s.HoverRect = {40, 50, 0, 0};
  w.Dev().calls.clear();
  w.view.Timer1_Timer();
  EXPECT_EQ(Draws(w), (std::vector<std::string>{"lower", "upper", "text Note", "text z axis = event n+2d"}));
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->rect.left, 40);
  EXPECT_EQ(w.Dev().Calls("DrawText")[0]->rect.top, 50);
  EXPECT_TRUE(s.UpperPointsFrame->Enabled);
}

TEST(GraphView, ALostDeviceSkipsTheFrameOrIsResetAndDrawn) {
  Window w;
  TwoPoints(w);
  w.Dev().cooperativeLevel = CooperativeLevel::DeviceLost;
  w.view.DrawGraph();
  EXPECT_EQ(w.Dev().Count("BeginScene"), 0u);

  w.Dev().cooperativeLevel = CooperativeLevel::DeviceNotReset;
  w.view.DrawGraph();
  EXPECT_EQ(Ops(w.Dev(), {"Reset", "BeginScene", "Present"}),
            (std::vector<std::string>{"Reset", "BeginScene", "Present"}));
  EXPECT_EQ(w.Dev().LastResetParams().hDeviceWindow, D3DInit.PresentParams.hDeviceWindow);

  w.Dev().cooperativeLevel = CooperativeLevel::DeviceNotReset;
  w.Dev().resetSucceeds = false;
  EXPECT_THROW(w.view.DrawGraph(), DeviceError);

  // A failure inside the scene still ends it, so the next frame can begin.
  w.Dev().resetSucceeds = true;
  w.Dev().cooperativeLevel = CooperativeLevel::Ready;
  w.S().LabelFont = std::make_shared<FailingFont>();
  EXPECT_THROW(w.view.DrawGraph(), DeviceError);
  EXPECT_FALSE(w.Dev().InScene());
}

TEST(GraphView, ResizeMinimiseAndTooSmallAWindow) {
  Window w;
  w.view.Form_Load();
  w.window.log.clear();
  const std::size_t fonts = w.Dev().Count("CreateFont");

  w.window.minimized = true;
  w.view.Form_Resize();
  EXPECT_TRUE(w.S().Minimized);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"timer off"}));
  EXPECT_EQ(w.Dev().Count("Reset"), 0u);

  // Restored to a client 5 pixels wide: corrected to 10, the plot waits.
  w.window.minimized = false;
  w.window.width = 5;
  w.view.Form_Resize();
  EXPECT_FALSE(w.S().Minimized);
  EXPECT_EQ(w.window.log, (std::vector<std::string>{"timer off", "timer off", "width 10"}));
  EXPECT_EQ(w.Dev().Count("Reset"), 0u);
  w.window.height = 3;
  w.view.Form_Resize();
  EXPECT_EQ(w.window.log.back(), "height 10");

  // The resize the correction raises rebuilds the device objects.
  w.view.Form_Resize();
  EXPECT_EQ(w.window.log.back(), "timer on");
  EXPECT_EQ(w.Dev().Count("Reset"), 1u);
  EXPECT_EQ(w.Dev().Count("CreateFont"), fonts + 2);
  EXPECT_EQ(D3DInit.ClientWidth, 10);
  EXPECT_EQ(w.panel.stopPlays, 4) << "every resize stops the replay";
  EXPECT_TRUE(w.endedWith.empty());

  w.view.setBorderFixed(true);
  EXPECT_TRUE(w.window.borderFixed);
}

TEST(GraphView, TailUpdateKeepsTheScaleAndMarksTheCurrentEvent) {
  Window w;
  w.view.Form_Load();
  ViewState& s = w.S();
  const double minX = s.MinX, maxY = s.MaxY;
  w.position.CurrentEvent = 5;
  w.position.TailLength = 10;
  w.view.showTail();
  EXPECT_EQ(s.MinX, minX);
  EXPECT_EQ(s.MaxY, maxY);
  ASSERT_EQ(s.Points.Count(), 11u);
  const auto& upper = *s.UpperPointsFrame;
  ASSERT_EQ(upper.GetChildFrameCount(), 11);
  const auto current = upper.GetChildFrame(10);
  EXPECT_EQ(current->ObjectName, " 11");
  EXPECT_EQ(current->GetScale(), 2.0f);
  EXPECT_FLOAT_EQ(current->GetChildMesh(0)->GetMaterialOverride().Diffuse.g, 176 / 255.f);
  EXPECT_EQ(upper.GetChildFrame(0)->GetScale(), 0.0f) << "placeholder";
  EXPECT_TRUE(s.ShowGlass);
  EXPECT_EQ(s.XAxisName, "actual event n");

  // A scatter file from the hidden menu entry: the scene follows it.
  w.dialogs.fileAnswers = {std::string(RP_TEST_DATA_DIR "/scatter_cube.csv")};
  const std::size_t culls = w.Dev().Count("SetRenderState");
  w.view.MENU_LOAD_Click();
  EXPECT_EQ(s.Points.Count(), 3u);
  EXPECT_EQ(s.UpperPointsFrame->GetChildFrameCount(), 3);
  EXPECT_GT(w.Dev().Count("SetRenderState"), culls) << "device objects restored";
}

}  // namespace
}  // namespace rp
