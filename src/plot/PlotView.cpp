#include "plot/PlotView.h"

#include <exception>

#include "model/Performance.h"
#include "base/Dialogs.h"
#include "scene/GraphicsDevice.h"
#include "scene/Mesh.h"
#include "io/DataFolder.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "plot/BuildGraph.h"
#include "plot/DrawAxisNameSquare.h"
#include "plot/DrawOverlays.h"
#include "plot/FrameMove.h"
#include "plot/Legend.h"
#include "plot/LoadDataMenu.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "plot/SceneGuard.h"
#include "plot/ViewWindow.h"

namespace rp {

namespace {

constexpr Argb32 kBackground = 0xFF303030;
constexpr Argb32 kAmbientLight = 0xFFC0C0C0;
constexpr Argb32 kWhiteText = 0xFFFFFFFF;
constexpr std::int32_t kMinClientPixels = 10;

// Switches the three parts of the scene on or off for one pass; a part
// that is missing (a build that failed half-way) is left out.
void EnableParts(ViewState& s, bool lower, bool upper, bool glass) {
  if (s.LowerPoints) s.LowerPoints->enabled = lower;
  if (s.UpperPoints) s.UpperPoints->enabled = upper;
  if (s.ComparedLower) s.ComparedLower->enabled = lower;
  if (s.ComparedUpper) s.ComparedUpper->enabled = upper;
  if (s.GlassNode) s.GlassNode->enabled = glass;
}

}  // namespace

PlotView::PlotView(ViewWindow& window, Dialogs& dialogs, const Performance& performance,
                   const ReplayPosition& position, const ComparedPerformances& compared)
    : window_(window), dialogs_(dialogs), performance_(performance), position_(position), compared_(compared) {
  deviceSetup_.dialogs = &dialogs_;
}

PlotView::~PlotView() = default;

void PlotView::start() {
  window_.ShowControlPanel();
  window_.PlaceAndShow();
  window_.ProcessEvents();
  state_.MediaFolder = FindMediaFolder("ScatterData.csv");
  initView(window_.Handle(), window_.LabelFontSource(), window_.TitleFontSource());
}

void PlotView::initView(WindowHandle window, const FontDesc& labelFontSource,
                        const FontDesc& titleFontSource) {
  state_.LabelFontSource = labelFontSource;
  state_.TitleFontSource = titleFontSource;

  state_.DeviceReady = deviceSetup_.CreateDeviceForWindow(window) && deviceSetup_.Device();
  if (!state_.DeviceReady) {
    window_.EndProgram();
    return;
  }
  device_ = deviceSetup_.Device();
  state_.RendererKind = deviceSetup_.Kind();

  deleteDeviceObjects();
  initDeviceObjects();
  ComputeRanges(state_);
  ScaleGraph(state_);
  buildScene();
  restoreDeviceObjects();
  window_.ProcessEvents();

  state_.AutoRotate = true;

  state_.XAxisName = "actual event (n)";
  state_.VerticalAxisName = "event n+2d";
  state_.DepthAxisName = "event n+d";
  state_.SizeName = "s";

  state_.CameraPosition = glm::vec3(0, 4, -20);
  state_.ViewMatrix = device_->GetTransform(Transform::View);
  state_.CameraMatrix = glm::mat4(1.0f);
  state_.RotationSum = RotationSums{};

  window_.SetTimerEnabled(true);
  state_.Clock.Start();
}

void PlotView::initDeviceObjects() {
  if (!state_.DeviceReady) return;
  GraphicsDevice& dev = *device_;
  state_.PointMesh = CreateSphere(dev, 0.1f, 16, 16);
  state_.GlassMesh = CreateBox(dev, 10.0f, 10.0f, 0.1f);
  state_.LabelFont = dev.CreateFont(state_.LabelFontSource);
  state_.TitleFont = dev.CreateFont(state_.TitleFontSource);
  state_.AxisNameTexture = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
}

void PlotView::restoreDeviceObjects() {
  if (!state_.DeviceReady) return;
  GraphicsDevice& dev = *device_;
  ApplySceneDefaults(dev, window_.ClientWidth(), window_.ClientHeight());
  dev.SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
  dev.SetCulling(Culling::None);
  dev.SetMinFilter(TextureFilter::Linear);
  state_.LabelFont = dev.CreateFont(state_.LabelFontSource);
  state_.TitleFont = dev.CreateFont(state_.TitleFontSource);
}

void PlotView::deleteDeviceObjects() {
  state_.LabelFont.reset();
  state_.TitleFont.reset();
}

void PlotView::drawFrame() {
  if (!state_.DeviceReady) return;
  switch (device_->Status()) {
    case DeviceStatus::Ready:
      break;
    case DeviceStatus::NeedsReset:
      if (!device_->ResetBackBuffer()) throw DeviceError("the device could not be reset");
      break;
    case DeviceStatus::Lost:
      if (!recoverLostDevice()) return;
      break;
  }
  GraphicsDevice& dev = *device_;
  ViewState& s = state_;

  if (s.RootNode) s.RootNode->UpdateWorldMatrices();
  dev.Clear(kBackground);
  dev.SetAmbientLight(kAmbientLight);
  dev.BeginScene();
  SceneGuard scene([&dev] { dev.EndScene(); });

  if (s.RootNode) {
    EnableParts(s, true, false, false);
    s.RootNode->Render(dev);
    EnableParts(s, false, true, false);
    s.RootNode->Render(dev);
  }

  DrawOverlays(s, dev);
  DrawAxisNameSquare(s, dev, 0);
  DrawAxisNameSquare(s, dev, 2);

  if (s.ShowHoverText && s.LabelFont) s.LabelFont->DrawText(s.HoverText, s.HoverRect, kWhiteText);
  if (s.LabelFont) {
    std::string caption = "z axis = " + s.VerticalAxisName;
    if (!s.CaptionNote.empty()) caption += "      " + s.CaptionNote;
    s.LabelFont->DrawText(caption, {10, 20, 0, 0}, kWhiteText);
  }
  if (s.LabelFont) DrawLegend(s, *s.LabelFont, static_cast<std::int32_t>(dev.GetViewport().width));

  if (s.ShowGlass && s.RootNode) {
    EnableParts(s, false, false, true);
    s.RootNode->Render(dev);
  }

  scene.End();
  try {
    dev.Present();
  } catch (const std::exception&) {
    // A failed present only loses this frame; the next one tries again.
  }
}

bool PlotView::recoverLostDevice() {
  // A device that gets its context back itself takes the reset path, as
  // after a resize; else a new device is made on the same window, with
  // every device object and the scene made anew on it.
  bool recovered = false;
  try {
    if (device_->ResetBackBuffer() && device_->Status() == DeviceStatus::Ready) {
      deleteDeviceObjects();
      restoreDeviceObjects();
      recovered = true;
    } else if (deviceSetup_.RemakeDevice(window_.Handle())) {
      device_ = deviceSetup_.Device();
      state_.RendererKind = deviceSetup_.Kind();
      releaseScene();
      deleteDeviceObjects();
      state_.PointMesh.reset();
      state_.GlassMesh.reset();
      state_.AxisNameTexture.reset();
      initDeviceObjects();
      buildScene();
      restoreDeviceObjects();
      recovered = device_->Status() == DeviceStatus::Ready;
    }
  } catch (const std::exception&) {
    recovered = false;
  }
  if (recovered) return true;
  // Nothing more to draw with: say so once and leave the plot as it is;
  // the control panel and its replay go on without it.
  state_.DeviceReady = false;
  state_.ShowHoverText = false;
  window_.SetTimerEnabled(false);
  dialogs_.ShowMessage(kDisplayLostMessage, MessageKind::Error);
  return false;
}

void PlotView::onFrameTimer() {
  if (!state_.DeviceReady) return;
  FrameMove(state_, *device_);
  drawFrame();
}

void PlotView::paint() {
  if (state_.DeviceReady && state_.GraphBuilt) drawFrame();
}

void PlotView::resized() {
  if (state_.ControlPanel) state_.ControlPanel->stopReplay();
  window_.SetTimerEnabled(false);
  if (!state_.DeviceReady) return;

  if (window_.IsMinimized()) {
    state_.Clock.Stop();
    state_.Minimized = true;
    return;
  }
  if (state_.Minimized) {
    state_.Clock.Start();
    state_.Minimized = false;
  }
  if (window_.ClientWidth() < kMinClientPixels) {
    window_.SetClientWidth(kMinClientPixels);
  } else if (window_.ClientHeight() < kMinClientPixels) {
    window_.SetClientHeight(kMinClientPixels);
  } else {
    deleteDeviceObjects();
    deviceSetup_.ResizeToWindow();
    restoreDeviceObjects();
    window_.SetTimerEnabled(true);
  }
}

void PlotView::buildScene() { BuildGraph(state_, device_.get()); }

void PlotView::releaseScene() {
  state_.RootNode.reset();
  state_.UpperPoints.reset();
  state_.LowerPoints.reset();
  state_.ComparedUpper.reset();
  state_.ComparedLower.reset();
  state_.GlassNode.reset();
}

void PlotView::loadScatterFile() {
  SceneRebuildSteps steps;
  steps.releaseScene = [this] { releaseScene(); };
  steps.buildScene = [this] { buildScene(); };
  steps.restoreDeviceObjects = [this] { restoreDeviceObjects(); };
  LoadDataFromFileMenu(state_, dialogs_, steps);
}

void PlotView::showFirstEvents() {
  tailShown_ = false;
  FillAllEventPoints(state_, dialogs_, performance_);
  FillComparedPoints(state_, dialogs_, compared_, static_cast<std::int32_t>(state_.Points.Count()));
  ApplyPerformanceSettings(state_, performance_.Settings);
  ComputeRanges(state_);
  ScaleGraph(state_);
  buildScene();
}

void PlotView::showTail() {
  tailShown_ = true;
  FillTailPoints(state_, dialogs_, performance_, position_);
  FillComparedTailPoints(state_, dialogs_, compared_, position_);
  ApplyPerformanceSettings(state_, performance_.Settings);
  releaseScene();
  ScaleGraph(state_);
  buildScene();
}

void PlotView::rebuild() {
  // A scatter file's points have nothing to do with the performance.
  if (state_.PointEvents.empty() && !state_.Points.Empty()) return;
  const bool tail = tailShown_;
  showFirstEvents();
  if (tail) showTail();
}

void PlotView::setBorderFixed(bool fixed) { window_.SetBorderFixed(fixed); }

}  // namespace rp
