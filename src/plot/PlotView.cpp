// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotView.h"

#include <exception>

#include "base/Dialogs.h"
#include "io/DataFolder.h"
#include "model/Performance.h"
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
#include "scene/GraphicsDevice.h"
#include "scene/Mesh.h"
#include "scene/SceneDefaults.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

constexpr Argb32 kBackground = 0xFF303030;
constexpr Argb32 kAmbientLight = 0xFFC0C0C0;
constexpr Argb32 kWhiteText = 0xFFFFFFFF;
constexpr std::int32_t kMinClientPixels = 10;

// Switches the three parts of the scene on or off for one pass; a part
// that is missing (a build that failed half-way) is left out.
void EnableParts(ViewState& s, bool lower, bool upper, bool glass) {
  if (s.lowerPoints) s.lowerPoints->enabled = lower;
  if (s.upperPoints) s.upperPoints->enabled = upper;
  if (s.comparedLower) s.comparedLower->enabled = lower;
  if (s.comparedUpper) s.comparedUpper->enabled = upper;
  if (s.glassNode) s.glassNode->enabled = glass;
}

}  // namespace

PlotView::PlotView(ViewWindow& window, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position,
                   const ComparedPerformances& compared)
    : window_(window), dialogs_(dialogs), performance_(performance), position_(position), compared_(compared) {
  deviceSetup_.dialogs = &dialogs_;
}

PlotView::~PlotView() = default;

void PlotView::Start() {
  window_.ShowControlPanel();
  window_.PlaceAndShow();
  state_.mediaFolder = FindMediaFolder("ScatterData.csv");
  InitView(window_.Handle(), window_.LabelFontSource(), window_.TitleFontSource());
}

void PlotView::InitView(WindowHandle window, const FontDesc& labelFontSource, const FontDesc& titleFontSource) {
  state_.labelFontSource = labelFontSource;
  state_.titleFontSource = titleFontSource;

  state_.deviceReady = deviceSetup_.CreateDeviceForWindow(window) && deviceSetup_.Device();
  if (!state_.deviceReady) {
    window_.EndProgram();
    return;
  }
  device_ = deviceSetup_.Device();
  state_.rendererKind = deviceSetup_.Kind();

  DeleteDeviceObjects();
  InitDeviceObjects();
  ComputeRanges(state_);
  ScaleGraph(state_);
  BuildScene();
  RestoreDeviceObjects();

  state_.autoRotate = true;

  state_.xAxisName = "actual event (n)";
  state_.verticalAxisName = "event n+2d";
  state_.depthAxisName = "event n+d";
  state_.sizeName = "s";

  state_.cameraPosition = glm::vec3(0, 4, -20);
  state_.viewMatrix = device_->GetTransform(Transform::View);
  state_.cameraMatrix = glm::mat4(1.0f);
  state_.rotationSum = RotationSums{};

  window_.SetTimerEnabled(true);
  state_.clock.Start();
}

void PlotView::InitDeviceObjects() {
  if (!state_.deviceReady) return;
  GraphicsDevice& dev = *device_;
  state_.pointMesh = CreateSphere(dev, 0.1f, 16, 16);
  state_.glassMesh = CreateBox(dev, 10.0f, 10.0f, 0.1f);
  state_.labelFont = dev.CreateFont(state_.labelFontSource);
  state_.titleFont = dev.CreateFont(state_.titleFontSource);
  state_.axisNameTexture = dev.CreateTexture(256, 256, 0, TextureFormat::Rgb);
}

void PlotView::RestoreDeviceObjects() {
  if (!state_.deviceReady) return;
  GraphicsDevice& dev = *device_;
  ApplySceneDefaults(dev, window_.ClientWidth(), window_.ClientHeight());
  dev.SetTransform(Transform::View, LookAtLH({0, 5, -20}, {0, 0, 0}, {0, 1, 0}));
  dev.SetCulling(Culling::None);
  dev.SetMinFilter(TextureFilter::Linear);
  state_.labelFont = dev.CreateFont(state_.labelFontSource);
  state_.titleFont = dev.CreateFont(state_.titleFontSource);
}

void PlotView::DeleteDeviceObjects() {
  state_.labelFont.reset();
  state_.titleFont.reset();
}

void PlotView::DrawFrame() {
  if (!state_.deviceReady) return;
  switch (device_->Status()) {
    case DeviceStatus::Ready:
      break;
    case DeviceStatus::NeedsReset:
      if (!device_->ResetBackBuffer()) throw DeviceError("the device could not be reset");
      break;
    case DeviceStatus::Lost:
      if (!RecoverLostDevice()) return;
      break;
  }
  GraphicsDevice& dev = *device_;
  ViewState& s = state_;

  if (s.rootNode) s.rootNode->UpdateWorldMatrices();
  dev.Clear(kBackground);
  dev.SetAmbientLight(kAmbientLight);
  dev.BeginScene();
  SceneGuard scene([&dev] { dev.EndScene(); });

  if (s.rootNode) {
    EnableParts(s, true, false, false);
    s.rootNode->Render(dev);
    EnableParts(s, false, true, false);
    s.rootNode->Render(dev);
  }

  DrawOverlays(s, dev);
  DrawAxisNameSquare(s, dev, 0);
  DrawAxisNameSquare(s, dev, 2);

  if (s.showHoverText && s.labelFont) s.labelFont->DrawText(s.hoverText, s.hoverRect, kWhiteText);
  if (s.labelFont) {
    std::string caption = "z axis = " + s.verticalAxisName;
    if (!s.captionNote.empty()) caption += "      " + s.captionNote;
    s.labelFont->DrawText(caption, {10, 20, 0, 0}, kWhiteText);
  }
  if (s.labelFont) DrawLegend(s, *s.labelFont, static_cast<std::int32_t>(dev.GetViewport().width));

  if (s.showGlass && s.rootNode) {
    EnableParts(s, false, false, true);
    s.rootNode->Render(dev);
  }

  scene.End();
  try {
    dev.Present();
  } catch (const std::exception&) {
    // A failed present only loses this frame; the next one tries again.
  }
}

bool PlotView::RecoverLostDevice() {
  // A device that gets its context back itself takes the reset path, as
  // after a resize; else a new device is made on the same window, with
  // every device object and the scene made anew on it.
  bool recovered = false;
  try {
    if (device_->ResetBackBuffer() && device_->Status() == DeviceStatus::Ready) {
      DeleteDeviceObjects();
      RestoreDeviceObjects();
      recovered = true;
    } else if (deviceSetup_.RemakeDevice(window_.Handle())) {
      device_ = deviceSetup_.Device();
      state_.rendererKind = deviceSetup_.Kind();
      ReleaseScene();
      DeleteDeviceObjects();
      state_.pointMesh.reset();
      state_.glassMesh.reset();
      state_.axisNameTexture.reset();
      InitDeviceObjects();
      BuildScene();
      RestoreDeviceObjects();
      recovered = device_->Status() == DeviceStatus::Ready;
    }
  } catch (const std::exception&) {
    recovered = false;
  }
  if (recovered) return true;
  // Nothing more to draw with: say so once and leave the plot as it is;
  // the control panel and its replay go on without it.
  state_.deviceReady = false;
  state_.showHoverText = false;
  window_.SetTimerEnabled(false);
  dialogs_.ShowMessage(kDisplayLostMessage, MessageKind::Error);
  return false;
}

void PlotView::OnFrameTimer() {
  if (!state_.deviceReady) return;
  FrameMove(state_, *device_);
  DrawFrame();
}

void PlotView::Paint() {
  if (state_.deviceReady && state_.graphBuilt) DrawFrame();
}

void PlotView::Resized() {
  if (state_.controlPanel) state_.controlPanel->StopReplay();
  window_.SetTimerEnabled(false);
  if (!state_.deviceReady) return;

  if (window_.IsMinimized()) {
    state_.clock.Stop();
    state_.minimized = true;
    return;
  }
  if (state_.minimized) {
    state_.clock.Start();
    state_.minimized = false;
  }
  if (window_.ClientWidth() < kMinClientPixels) {
    window_.SetClientWidth(kMinClientPixels);
  } else if (window_.ClientHeight() < kMinClientPixels) {
    window_.SetClientHeight(kMinClientPixels);
  } else {
    DeleteDeviceObjects();
    deviceSetup_.ResizeToWindow();
    RestoreDeviceObjects();
    window_.SetTimerEnabled(true);
  }
}

void PlotView::BuildScene() { BuildGraph(state_, device_.get()); }

void PlotView::ReleaseScene() {
  state_.rootNode.reset();
  state_.upperPoints.reset();
  state_.lowerPoints.reset();
  state_.comparedUpper.reset();
  state_.comparedLower.reset();
  state_.glassNode.reset();
}

void PlotView::LoadScatterFile() {
  SceneRebuildSteps steps;
  steps.releaseScene = [this] { ReleaseScene(); };
  steps.buildScene = [this] { BuildScene(); };
  steps.restoreDeviceObjects = [this] { RestoreDeviceObjects(); };
  LoadDataFromFileMenu(state_, dialogs_, steps);
}

void PlotView::ShowFirstEvents() {
  tailShown_ = false;
  FillAllEventPoints(state_, dialogs_, performance_);
  FillComparedPoints(state_, dialogs_, compared_, static_cast<std::int32_t>(state_.points.Count()));
  ApplyPerformanceSettings(state_, performance_.settings);
  ComputeRanges(state_);
  ScaleGraph(state_);
  BuildScene();
}

void PlotView::ShowTail() {
  tailShown_ = true;
  FillTailPoints(state_, dialogs_, performance_, position_);
  FillComparedTailPoints(state_, dialogs_, compared_, position_);
  ApplyPerformanceSettings(state_, performance_.settings);
  ReleaseScene();
  ScaleGraph(state_);
  BuildScene();
}

void PlotView::Rebuild() {
  // A scatter file's points have nothing to do with the performance.
  if (state_.pointEvents.empty() && !state_.points.Empty()) return;
  const bool tail = tailShown_;
  ShowFirstEvents();
  if (tail) ShowTail();
}

void PlotView::SetBorderFixed(bool fixed) { window_.SetBorderFixed(fixed); }

}  // namespace rp
