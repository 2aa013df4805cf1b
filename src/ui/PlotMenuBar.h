// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window's menu bar. File: Open..., Open Recent, Add for
// comparison..., Remove compared, Record from MIDI input..., Open scatter
// file..., Export events as CSV..., Export picture as PNG..., Quit. View: the
// popup menu's display switches, Reset orientation, Analysis settings....
// Help: Manual, About returnplot. Every item is an action of the windows'
// table (WindowActions), the same the popup menu shows.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

namespace rp {

class WindowActions;

// Help > Manual and Help > About returnplot, over `window`.
void ShowManual(QWidget& window);
void ShowAbout(QWidget& window);

class PlotMenuBar final : public QObject {
  Q_OBJECT
 public:
  // The bar is made on `window`, which owns it and this, of `actions`;
  // `openRecent` opens one of the recent files.
  PlotMenuBar(QWidget& window, WindowActions& actions, std::function<void(const QString&)> openRecent);

  QMenuBar* Bar() { return bar_; }
  // The View menu, where the window adds what is its own.
  QMenu* ViewMenu() { return view_; }
  // An item by its object name ("fileOpen", "helpAbout", ...; the popup's
  // "menuConnect", ... under View).
  QAction* Item(const QString& name) const;
  // A one-line note at the bar's right end (the software renderer's).
  void ShowNote(const QString& text);

 private:
  void FillRecent();

  WindowActions& actions_;
  std::function<void(const QString&)> openRecent_;
  QMenuBar* bar_;
  QMenu* view_ = nullptr;
  QLabel* note_ = nullptr;
};

}  // namespace rp
