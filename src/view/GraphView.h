#pragma once
// The plot window without its toolkit: start-up, the device objects, the
// drawing of one frame, the timer tick, painting, resizing, and the two
// rebuilds the control panel asks for. The Qt window (GraphForm) forwards
// its events here; everything it shows comes from the ViewState.

#include <memory>

#include "performance/PlotViewLink.h"
#include "platform/GraphicsTypes.h"
#include "view/ViewState.h"

namespace rp {

class Dialogs;
class GraphicsDevice;
class ViewWindow;
struct Performance;
struct ReplayPosition;

class GraphView final : public PlotViewLink {
 public:
  // Shows `performance` as `position` says; both must outlive the view.
  GraphView(ViewWindow& window, Dialogs& dialogs, const Performance& performance, const ReplayPosition& position);
  ~GraphView() override;
  GraphView(const GraphView&) = delete;
  GraphView& operator=(const GraphView&) = delete;

  ViewState& State() { return state_; }
  const ViewState& State() const { return state_; }
  // The 3D device once InitView has made it, else nullptr.
  GraphicsDevice* Device() const { return device_.get(); }
  // The control panel the view stops and asks for the Timing/Velocity choice.
  void SetControlPanel(ControlPanelLink* panel) { state_.ControlPanel = panel; }

  // Start-up: the control panel first (its load reads the first file and
  // rebuilds the points), then this window, the media folder and InitView.
  void Form_Load();
  // Creates the device (the program ends when there is none), the device
  // objects and the scene, and starts the timers.
  void InitView(WindowHandle window, const FontDesc& labelFontSource, const FontDesc& titleFontSource);
  void InitDeviceObjects();
  void RestoreDeviceObjects();
  void DeleteDeviceObjects();

  // One frame: the lower points, the upper points, the overlays, the axis
  // plates, the hover label, the caption, and last the glass plate.
  void DrawGraph();
  void Timer1_Timer();
  void Form_Paint();
  void Form_Resize();

  // The scene from the points as they are (after ScaleGraph).
  void BuildGraph();
  // Drops the root, the two point groups and the glass plate.
  void ReleaseSceneFrames();
  // "Load Data From File!": a scatter file, then the scene rebuilt from it.
  void MENU_LOAD_Click();

  // PlotViewLink: what the control panel asks.
  void showFirstEvents() override;
  void showTail() override;
  void setBorderFixed(bool fixed) override;
  void stopAutoRotation() override { state_.AutoRotate = false; }

 private:
  ViewWindow& window_;
  Dialogs& dialogs_;
  const Performance& performance_;
  const ReplayPosition& position_;
  ViewState state_;
  std::shared_ptr<GraphicsDevice> device_;
};

}  // namespace rp
