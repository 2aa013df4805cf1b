// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window's mouse and keys: turns Qt's events on the plot's widget
// into the view's handlers (ViewMouse.h, ViewKeys.h), asks for a frame when
// one of them changed the picture or may start the animation (a key, the end
// of a drag), and has the window pop up its menu on a right click.

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace rp {

struct ViewState;

class PlotInteraction final : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<void()> redraw;                     // a new frame, soon
    std::function<void(float, float)> doubleClicked;  // a left double-click at window pixel (x, y)
    std::function<void(const QPoint&)> popupMenu;     // the right button, at this point of the screen
    // Runs a handler; an error it raises is the window's to report.
    std::function<void(const std::function<void()>&)> run;
  };

  // Watches `surface` (the widget under the mouse, which gets the keyboard
  // focus).
  PlotInteraction(ViewState& state, Hooks hooks, QWidget* surface, QObject* parent = nullptr);

  // The window's handlers. Buttons: 1 left, 2 right, 4 middle; mousePressed
  // gets the button pressed, mouseMoved those held.
  void MousePressed(int button, float x, float y, const QPoint& globalPos);
  void MouseMoved(int buttons, float x, float y);
  void MouseReleased();
  void KeyPressed(int qtKey);
  void KeyReleased(int qtKey);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Redraw();

  ViewState& state_;
  Hooks hooks_;
  QWidget* surface_;
  std::string decimalSeparator_;
};

}  // namespace rp
