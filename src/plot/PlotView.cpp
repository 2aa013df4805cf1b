// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/PlotView.h"

#include <algorithm>
#include <string>

#include "frontend/Dialogs.h"
#include "io/DataFolder.h"
#include "model/Performance.h"
#include "plot/DescribeFrame.h"
#include "plot/FrameMove.h"
#include "plot/FullViewScale.h"
#include "plot/PerformancePoints.h"
#include "plot/PlotScaling.h"
#include "plot/ResetView.h"
#include "plot/ScatterFileLoad.h"
#include "plot/ViewWindow.h"

namespace rp {

namespace {

constexpr std::int32_t kMinClientPixels = 10;
// A longer pause between animated frames (the window hidden, the program
// stopped in a debugger) moves the animation on by this much only.
constexpr float kLongestStep = 0.25f;

void SetDefault(std::string& name, const std::string& value) {
  if (name.empty()) name = value;
}

}  // namespace

PlotView::PlotView(ViewWindow& window, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position,
                   const ComparedPerformances& compared)
    : window_(window), dialogs_(dialogs), performance_(performance), position_(position), compared_(compared) {
  state_.mainPerformance = &performance_;
  state_.comparedPerformances = &compared_;
}

PlotView::~PlotView() = default;

void PlotView::Start() {
  window_.ShowControlPanel();
  window_.PlaceAndShow();
  state_.mediaFolder = FindMediaFolder("ScatterData.csv");
  InitView(window_.LabelFontSource(), window_.TitleFontSource());
}

void PlotView::InitView(const FontDesc& labelFontSource, const FontDesc& titleFontSource) {
  state_.labelFontSource = labelFontSource;
  state_.titleFontSource = titleFontSource;
  state_.viewport.width = static_cast<std::uint32_t>(std::max(window_.ClientWidth(), 0));
  state_.viewport.height = static_cast<std::uint32_t>(std::max(window_.ClientHeight(), 0));

  const RendererStart renderer = window_.StartRenderer();
  if (!renderer.ready) {
    dialogs_.ShowMessage(std::string(kNoRendererMessage) + renderer.problem, MessageKind::Error);
    window_.PlotCannotBeDrawn(PlotFailure::NoRenderer);
    return;
  }
  if (renderer.software) {
    if (showNotice_) {
      showNotice_(kNoHardwareMessage);
    } else {
      dialogs_.ShowMessage(kNoHardwareMessage, MessageKind::Information);
    }
  }
  state_.rendererReady = true;

  if (!state_.scale.active) ComputeRanges(state_);
  ScaleGraph(state_);

  // What a performance's update has not named yet.
  PlotPoints named;
  SetEventAxisNames(named);
  SetDefault(state_.xAxisName, named.xAxisName);
  SetDefault(state_.verticalAxisName, named.verticalAxisName);
  SetDefault(state_.depthAxisName, named.depthAxisName);
  SetDefault(state_.sizeName, "s");

  ResetView(state_);
  FrameMove(state_, 0.0f);
  state_.autoRotate = true;
  state_.camera.clock.Start();
  Redraw();
}

SceneDescription PlotView::NextFrame() {
  const float elapsed = state_.camera.clock.Elapsed();
  FrameMove(state_, animatedLastFrame_ ? std::min(elapsed, kLongestStep) : 0.0f);
  animatedLastFrame_ = Animating();
  return DescribeFrame(state_);
}

bool PlotView::Animating() const {
  if (!state_.rendererReady || state_.minimized) return false;
  return (state_.autoRotate && !state_.input.dragging && !state_.showHoverText) || CameraMoving(state_);
}

void PlotView::Redraw() {
  if (state_.rendererReady) window_.RequestFrame();
}

void PlotView::RendererLost() {
  state_.rendererReady = false;
  state_.showHoverText = false;
  animatedLastFrame_ = false;
  if (lossReported_) return;
  lossReported_ = true;
  dialogs_.ShowMessage(kContextLostMessage, MessageKind::Error);
  window_.PlotCannotBeDrawn(PlotFailure::ContextLost);
}

void PlotView::Resized() {
  // Minimised or brought back, the window keeps its size: the replay goes
  // on (and the plot follows it again once it shows); another size stops it.
  const bool minimizing = window_.IsMinimized() || state_.minimized;
  if (!minimizing && state_.stopReplay) state_.stopReplay();
  if (!state_.rendererReady) return;

  if (window_.IsMinimized()) {
    state_.camera.clock.Stop();
    state_.minimized = true;
    return;
  }
  if (state_.minimized) {
    state_.camera.clock.Start();
    state_.minimized = false;
  }
  if (window_.ClientWidth() < kMinClientPixels) {
    window_.SetClientWidth(kMinClientPixels);
  } else if (window_.ClientHeight() < kMinClientPixels) {
    window_.SetClientHeight(kMinClientPixels);
  } else {
    state_.viewport.width = static_cast<std::uint32_t>(window_.ClientWidth());
    state_.viewport.height = static_cast<std::uint32_t>(window_.ClientHeight());
    Redraw();
  }
}

void PlotView::LoadScatterFile(const std::string& path) {
  LoadScatterFileShown(state_, dialogs_, path, [this] { Redraw(); });
}

const std::string& PlotView::ScatterFolder() const { return state_.mediaFolder; }

void PlotView::ShowFirstEvents() {
  tailShown_ = false;
  FillAllEventPoints(state_, dialogs_, performance_);
  FillComparedPoints(state_, dialogs_, performance_, compared_);
  ApplyPerformanceSettings(state_, performance_.settings);
  ScaleFullView(state_, performance_);
  Redraw();
}

void PlotView::ShowTail() {
  tailShown_ = true;
  state_.showColourBar = false;  // the tail keeps its own colours
  FillTailPoints(state_, dialogs_, performance_, position_);
  FillComparedTailPoints(state_, dialogs_, performance_, compared_, position_);
  ApplyPerformanceSettings(state_, performance_.settings);
  ScaleGraph(state_);
  Redraw();
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
