// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window without its toolkit: start-up, the device objects, the
// drawing of one frame, the timer tick, painting, resizing, and the two
// rebuilds the control panel asks for. The Qt window (PlotWindow) forwards
// its events here; everything it shows comes from the ViewState.

#include <memory>
#include <string_view>

#include "base/PlotViewLink.h"
#include "model/ComparedPerformances.h"
#include "plot/DeviceSetup.h"
#include "plot/ViewState.h"
#include "scene/GraphicsTypes.h"

namespace rp {

class Dialogs;
class GraphicsDevice;
class ViewWindow;
struct Performance;
struct ReplayPosition;

// Shown once when the device is lost (a GPU reset, a driver restart) and
// cannot be made again.
inline constexpr std::string_view kDisplayLostMessage =
    "The 3D display was lost and could not be restored. The plot stops here; the control panel and the "
    "replay go on working.";

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
  // The 3D device once initView has made it, else nullptr.
  GraphicsDevice* Device() const { return device_.get(); }
  // How the device is made on the window; its messages go to the view's
  // dialogs. Set makeDevice before start.
  DeviceSetup& Setup() { return deviceSetup_; }
  // The control panel the view stops and asks for the Timing/Velocity choice.
  void SetControlPanel(ControlPanelLink* panel) { state_.controlPanel = panel; }

  // Start-up: the control panel first (its load reads the first file and
  // rebuilds the points), then this window, the media folder and initView.
  void Start();
  // Creates the device (the program ends when there is none), the device
  // objects and the scene, and starts the timers.
  void InitView(WindowHandle window, const FontDesc& labelFontSource, const FontDesc& titleFontSource);
  void InitDeviceObjects();
  void RestoreDeviceObjects();
  void DeleteDeviceObjects();

  // One frame: the lower points, the upper points, the overlays, the axis
  // plates, the hover label, the caption, the legend (when something is
  // compared), and last the glass plate. A lost device is recovered first
  // (see recoverLostDevice).
  void DrawFrame();
  // The 10 ms timer: the orientation step, then a frame.
  void OnFrameTimer();
  void Paint();
  void Resized();

  // The scene from the points as they are (after ScaleGraph).
  void BuildScene();
  // Drops the root, the point groups and the glass plate.
  void ReleaseScene();
  // "Open scatter file...": a scatter file, then the scene rebuilt from it.
  void LoadScatterFile();

  // PlotViewLink: what the control panel asks.
  void ShowFirstEvents() override;
  void ShowTail() override;
  // The points anew from the performance as they show now: the first
  // events, or the tail of the current event in the scale of the first
  // events. A scatter file's points stay.
  void Rebuild();
  void SetBorderFixed(bool fixed) override;
  void StopAutoRotation() override { state_.autoRotate = false; }

 private:
  // After a lost device: the device objects and the scene on the device
  // again, or on a new one; when neither can be had, one message, the timer
  // off and no more drawing. True when the frame can be drawn.
  bool RecoverLostDevice();

  ViewWindow& window_;
  Dialogs& dialogs_;
  const Performance& performance_;
  const ReplayPosition& position_;
  const ComparedPerformances& compared_;
  ViewState state_;
  DeviceSetup deviceSetup_;
  std::shared_ptr<GraphicsDevice> device_;
  // The last rebuild from the performance showed the tail of the current event.
  bool tailShown_ = false;
};

}  // namespace rp
