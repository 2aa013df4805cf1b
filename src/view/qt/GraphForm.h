#pragma once
// The plot window, "Return plot in 3 dimensions": the start-up window of the
// program. It hosts the 3D device's widget, the 10 ms redraw timer, the
// popup menu and the hidden title-font button, brings up the control panel
// when it loads, and ends the program when it closes. What it does with its
// events is GraphView's.

#include <memory>
#include <optional>
#include <string>

#include <QImage>
#include <QWidget>

#include "view/GraphView.h"
#include "view/ViewWindow.h"

class QMenu;
class QAction;
class QPushButton;
class QTimer;

namespace rp {

class Dialogs;
class GlView;
class ControlPanel;
class PlotInteraction;
struct Performance;
struct ReplayPosition;

// How the program was started.
struct StartOptions {
  std::optional<std::string> file;  // the first performance, instead of the file dialog
  bool velocity = false;            // "Velocity" chosen instead of "Timing"
};

class GraphForm final : public QWidget, public ViewWindow {
  Q_OBJECT
 public:
  // The control panel loads into `performance`; the plot shows it.
  GraphForm(Dialogs& dialogs, StartOptions options, Performance& performance, ReplayPosition& position,
            QWidget* parent = nullptr);
  ~GraphForm() override;

  GraphView& View() { return view_; }
  rp::ControlPanel* ControlPanel() { return controlPanel_.get(); }
  QMenu* PopupMenu() { return menuPopup_; }
  // A popup-menu item by its name ("MENU_RESET", ...).
  QAction* MenuItem(const QString& name);
  QTimer* Timer1() { return timer1_; }
  GlView* DeviceWidget() { return glView_; }
  // The client area as last presented.
  QImage GrabClientArea();

  void Form_Load();

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
  void DoEvents() override;
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
  GraphView view_;
  std::unique_ptr<rp::ControlPanel> controlPanel_;
  GlView* glView_;
  QPushButton* command1_;
  QTimer* timer1_;
  QMenu* menuPopup_;
  PlotInteraction* interaction_;
};

}  // namespace rp
