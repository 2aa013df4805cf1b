// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window, "Return plot in 3 dimensions": the start-up window of the
// program. It hosts the menu bar, the plot's OpenGL widget below it (the
// "client area" the view sizes itself to), the popup menu and the hidden
// title-font button, brings up the control panel when it starts, and ends
// the program when it closes. What it does with its events is PlotView's; a
// double-click on a point and the space bar (in either window) go to the
// control panel's replay.
//
// Frames are drawn on demand: when the view asks for one, and while the view
// animates, one after another at the display's rate, at most 60 a second.
//
// The program ends by one path, Shutdown: for the window's close, a signal
// (StopSignals) and a fatal error alike, the control panel stops the replay
// and ends a take, the devices close, and then the event loop is left with
// the exit status.

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ProgramState.h"
#include "model/AnalysisSettings.h"
#include "model/ComparedAlignment.h"
#include "model/ValueKind.h"
#include "model/VelocityScale.h"
#include "plot/PlotView.h"
#include "plot/ViewWindow.h"
#include "session/SessionChange.h"

class QMenu;
class QAction;
class QTimer;

namespace rp {

class Dialogs;
class GlView;
class ControlPanel;
class PerformanceDrop;
class PlotInteraction;
class PlotMenuBar;
class WindowActions;
struct WindowAction;
class Session;
struct MidiOutputSetup;

// How the program was started.
struct StartOptions {
  std::optional<std::string> file;        // the first performance, instead of the file dialog
  ValueKind values = ValueKind::Timing;   // the values chosen for the axes
  std::vector<std::string> compareFiles;  // loaded for comparison after the first
  bool offerRecovery = false;             // offer a take left unsaved (the program; not tests or snapshots)
  std::optional<std::string> output;      // part of the name of the output device chosen at start
  VelocityScaleChoice velocityScale;      // the replay's velocity scale
  bool loadInBackground = true;           // files read on a thread of their own (not for snapshots)
  bool rememberGeometry = false;          // the windows' places and sizes kept between runs (the program)
  std::optional<AlignBy> alignBy;         // how compared files are aligned (the stored choice, the snapshot's)
};

// Why the program ends.
enum class ShutdownCause {
  WindowClosed,  // the plot window's close: a running take is saved through the save dialog
  Signal,        // SIGINT or SIGTERM: a running take is kept in the recovery file
  FatalError,    // an error the program cannot go on after: likewise
};

class PlotWindow final : public QWidget, public ViewWindow {
  Q_OBJECT
 public:
  // Shows `session` (which must outlive the window) in the plot, the control
  // panel and the Statistics window.
  PlotWindow(Session& session, Dialogs& dialogs, StartOptions options, QWidget* parent = nullptr);
  ~PlotWindow() override;

  PlotView& View() { return view_; }
  rp::ControlPanel* ControlPanel() { return controlPanel_.get(); }
  QMenu* PopupMenu() { return popupMenu_; }
  PlotMenuBar& MenuBar() { return *menuBar_; }
  PerformanceDrop& Drop() { return *drop_; }
  // A popup-menu item by its name ("menuReset", ...).
  QAction* MenuItem(const QString& name);
  // Fires the next frame while the plot animates.
  QTimer* FramePacer() { return framePacer_; }
  GlView* PlotWidget() { return glView_; }
  // A new frame of the client area, drawn now.
  QImage GrabClientArea();
  // Frames drawn so far (the grabs included).
  std::uint64_t FramesDrawn() const { return framesDrawn_; }

  // Start-up: the control panel, this window, the device and the scene.
  void Start();

  // How "Analysis settings..." asks for new settings (the settings dialog
  // unless set): the chosen settings, or nothing when cancelled.
  using AnalysisSettingsQuestion = std::function<std::optional<AnalysisSettings>(const AnalysisSettings&)>;
  void SetAnalysisSettingsQuestion(AnalysisSettingsQuestion ask) { askAnalysisSettings_ = std::move(ask); }
  // Where the session's replay goes (the program's outputs unless set);
  // set before start.
  void SetMidiOutput(std::function<MidiOutputSetup()> make) { makeMidiOutput_ = std::move(make); }
  // "Analysis settings...": asks, keeps the answer for later runs, and has
  // the control panel analyse the performance again.
  void ChooseAnalysisSettings();
  // "Event range...": asks, then the full view shows those events.
  void ChooseEventRange();
  void ChooseTempoBeat();
  // "Open scatter file...": asks for the file, then the plot shows it.
  void OpenScatterFile();
  // "Export events as CSV..." and "Export picture as PNG...": ask for a file
  // and write the main performance's events or the plot as it is shown.
  void ExportEvents();
  void ExportPicture();
  // A left double-click at pixel (x, y) of the device widget: a point of the
  // performance becomes the current event as from the time slider.
  void DoubleClicked(float x, float y);
  // The one way the program ends: the control panel stops the replay (all-
  // notes-off and reset-all-controllers on an external port), ends a running
  // take as `cause` says and closes the devices; the windows go and the event
  // loop is left with `status`. A second call while that runs (a signal
  // during the save dialog) only ends the dialogs, keeping the take in the
  // recovery file.
  void Shutdown(ShutdownCause cause, int status);
  // The exit status once Shutdown has run (also when it ran before there was
  // an event loop to leave, as when the graphics device cannot be made at
  // start); nothing while the program goes on.
  std::optional<int> EndStatus() const { return shuttingDown_ ? std::optional<int>(exitStatus_) : std::nullopt; }

  // A fatal error: Shutdown with a failure status.
  void EndProgram();

  // ViewWindow
  FontDesc LabelFontSource() override;
  FontDesc TitleFontSource() override;
  std::int32_t ClientWidth() override;
  std::int32_t ClientHeight() override;
  bool IsMinimized() override;
  void SetClientWidth(std::int32_t pixels) override;
  void SetClientHeight(std::int32_t pixels) override;
  void SetBorderFixed(bool fixed) override;
  RendererStart StartRenderer() override;
  void RequestFrame() override;
  // No renderer at start: the program ends; a lost context: the plot stands
  // still and the control panel goes on.
  void PlotCannotBeDrawn(PlotFailure failure) override;
  void ShowControlPanel() override;
  void PlaceAndShow() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs one event handler; an error it raises is shown and ends the program.
  template <class F>
  void RunHandler(F&& handler);
  // After each frame: the next one is timed while the view animates.
  void FrameDrawn();
  // Whether the session allows `action` now.
  bool Allowed(UserAction action) const;
  // What the session announced, shown in the plot.
  void Follow(SessionChange change);
  // Every command of the windows: the popup menu, the menu bar and the
  // shortcuts are made from it.
  std::vector<WindowAction> ActionTable();
  // Ends the running event loops with the exit status.
  void LeaveEventLoop() const;

  Session& session_;
  Dialogs& dialogs_;
  StartOptions options_;
  PlotView view_;
  int listening_ = 0;
  std::unique_ptr<rp::ControlPanel> controlPanel_;
  GlView* glView_;
  QTimer* framePacer_;
  QElapsedTimer sinceFrame_;  // since the last frame began
  std::uint64_t framesDrawn_ = 0;
  QMenu* popupMenu_;
  WindowActions* actions_ = nullptr;
  PlotInteraction* interaction_;
  PlotMenuBar* menuBar_;
  PerformanceDrop* drop_;
  AnalysisSettingsQuestion askAnalysisSettings_;
  std::function<MidiOutputSetup()> makeMidiOutput_;
  bool shuttingDown_ = false;
  int exitStatus_ = 0;
};

}  // namespace rp
