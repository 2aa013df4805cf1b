// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window, "Return plot in 3 dimensions": the start-up window of the
// program. It hosts the menu bar, the 3D device's widget below it (the
// "client area" the view sizes itself to), the 10 ms redraw timer, the
// popup menu and the hidden title-font button, brings up the control panel
// when it starts, and ends the program when it closes. What it does with its
// events is PlotView's; a double-click on a point and the space bar (in
// either window) go to the control panel's replay.

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/AnalysisSettings.h"
#include "plot/PlotView.h"
#include "plot/ViewWindow.h"

class QMenu;
class QAction;
class QPushButton;
class QTimer;

namespace rp {

class Dialogs;
class GlView;
class ControlPanel;
class PerformanceDrop;
class PlotInteraction;
class PlotMenuBar;
struct MidiOutputSetup;
struct Performance;
struct ReplayPosition;

// How the program was started.
struct StartOptions {
  std::optional<std::string> file;        // the first performance, instead of the file dialog
  bool velocity = false;                  // "Velocity" chosen instead of "Timing"
  std::vector<std::string> compareFiles;  // loaded for comparison after the first
  bool offerRecovery = false;             // offer a take left unsaved (the program; not tests or snapshots)
  std::optional<std::string> output;      // part of the name of the output device chosen at start
  bool rememberGeometry = false;          // the windows' places and sizes kept between runs (the program)
};

class PlotWindow final : public QWidget, public ViewWindow {
  Q_OBJECT
 public:
  // The control panel loads into `performance` and `compared`; the plot
  // shows them.
  PlotWindow(Dialogs& dialogs, StartOptions options, Performance& performance, ReplayPosition& position,
             ComparedPerformances& compared, QWidget* parent = nullptr);
  ~PlotWindow() override;

  PlotView& View() { return view_; }
  rp::ControlPanel* ControlPanel() { return controlPanel_.get(); }
  QMenu* PopupMenu() { return popupMenu_; }
  PlotMenuBar& MenuBar() { return *menuBar_; }
  PerformanceDrop& Drop() { return *drop_; }
  // A popup-menu item by its name ("menuReset", ...).
  QAction* MenuItem(const QString& name);
  QTimer* FrameTimer() { return frameTimer_; }
  GlView* DeviceWidget() { return glView_; }
  // The client area as last presented.
  QImage GrabClientArea();

  // Start-up: the control panel, this window, the device and the scene.
  void Start();

  // How "Analysis settings..." asks for new settings (the settings dialog
  // unless set): the chosen settings, or nothing when cancelled.
  using AnalysisSettingsQuestion = std::function<std::optional<AnalysisSettings>(const AnalysisSettings&)>;
  void SetAnalysisSettingsQuestion(AnalysisSettingsQuestion ask) { askAnalysisSettings_ = std::move(ask); }
  // Where the control panel's replay goes (the program's outputs unless set);
  // set before start.
  void SetMidiOutput(std::function<MidiOutputSetup()> make) { makeMidiOutput_ = std::move(make); }
  // "Analysis settings...": asks, keeps the answer for later runs, and has
  // the control panel analyse the performance again.
  void ChooseAnalysisSettings();
  // "Export events as CSV..." and "Export picture as PNG...": ask for a file
  // and write the main performance's events or the plot as it is shown.
  void ExportEvents();
  void ExportPicture();
  // A left double-click at pixel (x, y) of the device widget: a point of the
  // performance becomes the current event as from the time slider.
  void DoubleClicked(float x, float y);

  // ViewWindow
  WindowHandle Handle() override;
  FontDesc LabelFontSource() override;
  FontDesc TitleFontSource() override;
  std::int32_t ClientWidth() override;
  std::int32_t ClientHeight() override;
  bool IsMinimized() override;
  void SetClientWidth(std::int32_t pixels) override;
  void SetClientHeight(std::int32_t pixels) override;
  void SetBorderFixed(bool fixed) override;
  void SetTimerEnabled(bool enabled) override;
  void ShowControlPanel() override;
  void PlaceAndShow() override;
  void ProcessEvents() override;
  void EndProgram() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs one event handler; an error it raises is shown and ends the program.
  template <class F>
  void RunHandler(F&& handler);

  Dialogs& dialogs_;
  StartOptions options_;
  Performance& performance_;
  ReplayPosition& position_;
  ComparedPerformances& compared_;
  PlotView view_;
  std::unique_ptr<rp::ControlPanel> controlPanel_;
  GlView* glView_;
  QPushButton* titleFontButton_;
  QTimer* frameTimer_;
  QMenu* popupMenu_;
  PlotInteraction* interaction_;
  PlotMenuBar* menuBar_;
  PerformanceDrop* drop_;
  AnalysisSettingsQuestion askAnalysisSettings_;
  std::function<MidiOutputSetup()> makeMidiOutput_;
};

}  // namespace rp
