#include "view/GraphView.h"

#include "platform/Dialogs.h"
#include "platform/GraphicsDevice.h"
#include "platform/Mesh.h"
#include "scene/CD3DFrame.h"
#include "scene/D3DInit.h"
#include "scene/D3DUtil_FrameTimer.h"
#include "scene/D3DUtil.h"
#include "scene/D3DUtil_Vector.h"
#include "scene/MediaDir.h"
#include "view/BuildGraph.h"
#include "view/DrawAxisNameSquare.h"
#include "view/DrawOverlays.h"
#include "view/FrameMove.h"
#include "view/LoadDataMenu.h"
#include "view/PerformancePoints.h"
#include "view/PlotScaling.h"
#include "view/SceneGuard.h"
#include "view/ViewWindow.h"

namespace rp {

namespace {

constexpr std::int32_t kBackground = static_cast<std::int32_t>(0xFF303030u);
constexpr D3DCOLOR kAmbientLight = 0xFFC0C0C0;
constexpr D3DCOLOR kWhiteText = 0xFFFFFFFF;
constexpr std::int32_t kMinClientPixels = 10;

void RunFrameTimer(std::int32_t command) { D3DUtil_FrameTimer(command); }

// Switches the three parts of the scene on or off for one pass; a part
// that is missing (a build that failed half-way) is left out.
void EnableParts(ViewState& s, bool lower, bool upper, bool glass) {
  if (s.LowerPointsFrame) s.LowerPointsFrame->Enabled = lower;
  if (s.UpperPointsFrame) s.UpperPointsFrame->Enabled = upper;
  if (s.GlassFrame) s.GlassFrame->Enabled = glass;
}

}  // namespace

GraphView::GraphView(ViewWindow& window, Dialogs& dialogs, const Performance& performance,
                     const ReplayPosition& position)
    : window_(window), dialogs_(dialogs), performance_(performance), position_(position) {}

GraphView::~GraphView() = default;

void GraphView::Form_Load() {
  window_.ShowControlPanel();
  window_.PlaceAndShow();
  window_.DoEvents();
  state_.MediaFolder = FindMediaFolder("ScatterData.csv");
  D3DUtil_UseMediaFolder(state_.MediaFolder);
  InitView(window_.Handle(), window_.LabelFontSource(), window_.TitleFontSource());
}

void GraphView::InitView(WindowHandle window, const FontDesc& labelFontSource,
                         const FontDesc& titleFontSource) {
  state_.Window = window;
  state_.LabelFontSource = labelFontSource;
  state_.TitleFontSource = titleFontSource;

  state_.DeviceReady = D3DUtil_Init(window, true, 0, 0, D3DDEVTYPE_HAL, nullptr) && D3DInit.Device;
  if (!state_.DeviceReady) {
    window_.EndProgram();
    return;
  }
  device_ = D3DInit.Device;

  DeleteDeviceObjects();
  InitDeviceObjects();
  ComputeRanges(state_);
  ScaleGraph(state_);
  BuildGraph();
  RestoreDeviceObjects();
  window_.DoEvents();

  state_.AutoRotate = true;

  state_.XAxisName = "actual event (n)";
  state_.VerticalAxisName = "event n+2d";
  state_.DepthAxisName = "event n+d";
  state_.SizeName = "s";

  state_.CameraPosition = D3DUtil_Vector(0, 4, -20);
  state_.ViewMatrix = device_->GetTransform(D3DTS_VIEW);
  state_.CameraMatrix = kIdentityMatrix;
  state_.RotationSum = RotationSums{};

  window_.SetTimerEnabled(true);
  RunFrameTimer(kTimerStart);
}

void GraphView::InitDeviceObjects() {
  if (!state_.DeviceReady) return;
  GraphicsDevice& dev = *device_;
  state_.PointMesh = CreateSphere(dev, 0.1f, 16, 16);
  state_.GlassMesh = CreateBox(dev, 10.0f, 10.0f, 0.1f);
  state_.LabelFont = dev.CreateFont(state_.LabelFontSource);
  state_.TitleFont = dev.CreateFont(state_.TitleFontSource);
  state_.AxisNameTexture = dev.CreateTexture(256, 256, 0, 0, dev.GetDisplayMode().Format, D3DPOOL_MANAGED);
}

void GraphView::RestoreDeviceObjects() {
  if (!state_.DeviceReady) return;
  GraphicsDevice& dev = *device_;
  D3DInit.ClientWidth = window_.ClientWidth();
  D3DInit.ClientHeight = window_.ClientHeight();
  D3DUtil_ApplySceneDefaults();
  D3DUtil_LookAt(D3DUtil_Vector(0, 5, -20), D3DUtil_Vector(0, 0, 0), D3DUtil_Vector(0, 1, 0));
  dev.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  dev.SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  state_.LabelFont = dev.CreateFont(state_.LabelFontSource);
  state_.TitleFont = dev.CreateFont(state_.TitleFontSource);
}

void GraphView::DeleteDeviceObjects() {
  state_.LabelFont.reset();
  state_.TitleFont.reset();
}

void GraphView::DrawGraph() {
  if (!state_.DeviceReady) return;
  GraphicsDevice& dev = *device_;
  ViewState& s = state_;

  switch (dev.TestCooperativeLevel()) {
    case CooperativeLevel::Ready:
      break;
    case CooperativeLevel::DeviceNotReset:
      if (!dev.Reset(D3DInit.PresentParams)) throw DeviceError("the device could not be reset");
      break;
    case CooperativeLevel::DeviceLost:
      return;
  }

  if (s.RootFrame) s.RootFrame->UpdateFrames();
  D3DUtil_ClearView(kBackground);
  dev.SetRenderState(D3DRS_AMBIENT, kAmbientLight);
  dev.BeginScene();
  SceneGuard scene([&dev] { dev.EndScene(); });

  if (s.RootFrame) {
    EnableParts(s, true, false, false);
    s.RootFrame->Render(dev);
    EnableParts(s, false, true, false);
    s.RootFrame->Render(dev);
  }

  DrawOverlays(s, dev);
  DrawAxisNameSquare(s, dev, 0);
  DrawAxisNameSquare(s, dev, 2);

  if (s.ShowHoverText && s.LabelFont) s.LabelFont->DrawText(s.HoverText, s.HoverRect, 0, kWhiteText);
  if (s.LabelFont) {
    RECT caption{10, 20, 0, 0};
    s.LabelFont->DrawText("z axis = " + s.VerticalAxisName, caption, 0, kWhiteText);
  }

  if (s.ShowGlass && s.RootFrame) {
    EnableParts(s, false, false, true);
    s.RootFrame->Render(dev);
  }

  scene.End();
  D3DUtil_PresentView(s.Window);
}

void GraphView::Timer1_Timer() {
  if (!state_.DeviceReady) return;
  FrameMove(state_, *device_);
  DrawGraph();
}

void GraphView::Form_Paint() {
  if (state_.DeviceReady && state_.GraphBuilt) DrawGraph();
}

void GraphView::Form_Resize() {
  if (state_.ControlPanel) state_.ControlPanel->stopReplay();
  window_.SetTimerEnabled(false);
  if (!state_.DeviceReady) return;

  if (window_.IsMinimized()) {
    RunFrameTimer(kTimerStop);
    state_.Minimized = true;
    return;
  }
  if (state_.Minimized) {
    RunFrameTimer(kTimerStart);
    state_.Minimized = false;
  }
  if (window_.ClientWidth() < kMinClientPixels) {
    window_.SetClientWidth(kMinClientPixels);
  } else if (window_.ClientHeight() < kMinClientPixels) {
    window_.SetClientHeight(kMinClientPixels);
  } else {
    DeleteDeviceObjects();
    D3DUtil_ResizeWindowed(state_.Window);
    RestoreDeviceObjects();
    window_.SetTimerEnabled(true);
  }
}

void GraphView::BuildGraph() { rp::BuildGraph(state_, device_.get()); }

void GraphView::ReleaseSceneFrames() {
  state_.RootFrame.reset();
  state_.UpperPointsFrame.reset();
  state_.LowerPointsFrame.reset();
  state_.GlassFrame.reset();
}

void GraphView::MENU_LOAD_Click() {
  SceneRebuildSteps steps;
  steps.releaseFrames = [this] { ReleaseSceneFrames(); };
  steps.buildGraph = [this] { BuildGraph(); };
  steps.restoreDeviceObjects = [this] { RestoreDeviceObjects(); };
  LoadDataFromFileMenu(state_, dialogs_, steps);
}

void GraphView::showFirstEvents() {
  FillAllEventPoints(state_, dialogs_, performance_);
  ApplyPerformanceSettings(state_);
  ComputeRanges(state_);
  ScaleGraph(state_);
  BuildGraph();
}

void GraphView::showTail() {
  FillTailPoints(state_, dialogs_, performance_, position_);
  ApplyPerformanceSettings(state_);
  ReleaseSceneFrames();
  ScaleGraph(state_);
  BuildGraph();
}

void GraphView::setBorderFixed(bool fixed) { window_.SetBorderFixed(fixed); }

}  // namespace rp
