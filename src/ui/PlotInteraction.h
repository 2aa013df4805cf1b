// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window's mouse, keys and popup menu: turns Qt's events on the
// plot's widget into the view's handlers (ViewMouse.h, ViewKeys.h,
// ViewMenu.h), and asks for a frame when one of them changed the picture or
// may start the animation (a key, a menu choice, the end of a drag).

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

#include "plot/ViewMenu.h"

class QAction;
class QMenu;
class QWidget;

namespace rp {

struct ViewState;

class PlotInteraction final : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<void()> redraw;                     // a new frame, soon
    std::function<void()> loadData;                   // "Open scatter file..."
    std::function<void()> addCompared;                // "Add performance for comparison..."
    std::function<void()> removeCompared;             // "Remove compared performances"
    std::function<void()> analysisSettings;           // "Analysis settings..."
    std::function<void(float, float)> doubleClicked;  // a left double-click at window pixel (x, y)
    std::function<void()> toggleRecording;            // "Record from MIDI input..." / "Stop recording"
    std::function<bool()> isRecording;                // the caption the recording item shows
    std::function<void()> displayChanged;             // "Logarithmic axes", "Colour by time" switched: rebuild
    std::function<void()> chooseEventRange;           // "Event range..."
    // Runs a handler; an error it raises is the window's to report.
    std::function<void(const std::function<void()>&)> run;
  };

  // Watches `surface` (the widget under the mouse, which gets the keyboard
  // focus) and fills `popup` with the menu's items.
  PlotInteraction(ViewState& state, Hooks hooks, QWidget* surface, QMenu* popup, QObject* parent = nullptr);

  ViewMenu& Menu() { return menu_; }
  // A popup-menu item by its name ("menuReset", ...).
  QAction* MenuAction(const QString& name) const;
  // The recording item's caption as the recording now stands ("Record from
  // MIDI input..." or "Stop recording"), before a menu showing it opens.
  void ShowRecordingCaption();
  // The display options' check marks, enabled states and tooltips as the
  // view now stands (one performance or compared ones), before a menu
  // showing them opens.
  void ShowDisplayOptionStates();
  // The toggles' check marks as the view's switches stand now.
  void ShowCheckMarks();

  // The window's handlers. Buttons: 1 left, 2 right, 4 middle; mousePressed
  // gets the button pressed, mouseMoved those held.
  void MousePressed(int button, float x, float y, const QPoint& globalPos);
  void MouseMoved(int buttons, float x, float y);
  void MouseReleased();
  void KeyPressed(int keyCode);
  void KeyReleased(int keyCode);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillMenu();
  void Choose(ViewMenuItem item);
  // The hook of an entry whose action is the window's, else nullptr.
  const std::function<void()>* WindowAction(ViewMenuItem item) const;
  void Redraw();

  ViewState& state_;
  Hooks hooks_;
  QWidget* surface_;
  QMenu* popup_;
  ViewMenu menu_;
  std::string decimalSeparator_;
};

}  // namespace rp
