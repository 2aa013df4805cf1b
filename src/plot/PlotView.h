// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window without its toolkit: start-up, the description of each
// frame, the animation, resizing, and the rebuilds the control panel asks
// for. The Qt window (PlotWindow) forwards its events here and draws the
// frames NextFrame describes; everything it shows comes from the ViewState.
//
// Frames are drawn on demand: whatever changes the picture asks the window
// for one frame (ViewWindow::RequestFrame); while Animating() the window
// keeps asking, at most 60 frames a second, and stops when it turns false.

#include <functional>
#include <string_view>

#include "base/TranslatableText.h"
#include "frontend/PlotViewLink.h"
#include "model/ComparedPerformances.h"
#include "plot/ViewState.h"
#include "scene/SceneDescription.h"

namespace rp {

class Dialogs;
class ViewWindow;
struct Performance;
struct ReplayPosition;

// Shown once at start-up on a software renderer.
inline constexpr std::string_view kNoHardwareMessage =
    QT_TRANSLATE_NOOP("returnplot", "No graphics hardware found: the plot is drawn in software.");
// Shown when no renderer can be made, followed by the reason.
inline constexpr std::string_view kNoRendererMessage = "No OpenGL 3.3 device could be created for the plot: ";
// Shown once when the drawing context is lost and cannot be made again.
inline constexpr std::string_view kContextLostMessage = "The plot's OpenGL context was lost and could not be restored.";

class PlotView final : public PlotViewLink {
 public:
  // Shows `performance` as `position` says, with the `compared` ones beside
  // it at the same event numbers; all three must outlive the view.
  PlotView(ViewWindow& window, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position,
           const ComparedPerformances& compared);
  ~PlotView() override;
  PlotView(const PlotView&) = delete;
  PlotView& operator=(const PlotView&) = delete;

  ViewState& State() { return state_; }
  const ViewState& State() const { return state_; }
  // The control panel the view stops and asks for the Timing/Velocity choice.
  // Where the note of the software renderer goes (a line in the window rather
  // than a box to dismiss at every start); unset: to the dialogs.
  void SetNoticeShower(std::function<void(std::string_view)> show) { showNotice_ = std::move(show); }

  // Start-up: the control panel first (its load reads the first file and
  // rebuilds the points), then this window, the media folder and InitView.
  void Start();
  // Starts the window's renderer (without one the user is told why and the
  // window's owner hears of it), the camera and the animation.
  void InitView(const FontDesc& labelFontSource, const FontDesc& titleFontSource);

  // The frame to draw now: the animation moved on by the real time since the
  // last animated frame (none after a pause), then the description.
  SceneDescription NextFrame();
  // Whether frames should keep coming: auto-rotation on (no drag, no hover
  // label, not minimised), or the camera moving.
  bool Animating() const;
  // Asks the window for a frame.
  void Redraw();
  // The renderer lost its context and could not make it again: the user is
  // told once, the plot stands still from here on.
  void RendererLost();

  void Resized();
  // "Open scatter file...": the chosen scatter file, then the plot shows it.
  void LoadScatterFile(const std::string& path);
  // Where scatter files are looked for first.
  const std::string& ScatterFolder() const;

  // PlotViewLink: what the control panel asks.
  void ShowFirstEvents() override;
  void ShowTail() override;
  // The points anew from the performance as they show now: the first
  // events, or the tail of the current event in the scale of the first
  // events. A scatter file's points stay.
  void Rebuild();
  void SetBorderFixed(bool fixed) override;
  void ShowValuesAgain() override { Rebuild(); }
  void TailLengthChanged() override {
    if (tailShown_) ShowTail();
  }

 private:
  ViewWindow& window_;
  Dialogs& dialogs_;
  std::function<void(std::string_view)> showNotice_;
  const Performance& performance_;
  const ReplayPosition& position_;
  const ComparedPerformances& compared_;
  ViewState state_;
  // The last rebuild from the performance showed the tail of the current event.
  bool tailShown_ = false;
  // The last frame was animated: the next one moves on by the time between.
  bool animatedLastFrame_ = false;
  bool lossReported_ = false;
};

}  // namespace rp
