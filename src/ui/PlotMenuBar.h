// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot window's menu bar. File: Open..., Open Recent, Add for
// comparison..., Remove compared, Record from MIDI input..., Open scatter
// file..., Export events as CSV..., Export picture as PNG..., Quit. View: the
// popup menu's display switches, Reset orientation, Analysis settings....
// Help: Manual, About returnplot. The items the popup menu has too are the
// popup's own actions, so both always show the same check marks and do the
// same; the rest call the windows' handlers through `PlotMenuActions`.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMenuBar;
class QWidget;

namespace rp {

class PlotInteraction;

struct PlotMenuActions {
  std::function<void()> open;                      // the control panel's "Open performance..."
  std::function<void(const QString&)> openRecent;  // one of the recent files
  std::function<void()> exportEvents;              // the loaded performance's events as CSV
  std::function<void()> exportPicture;             // the plot as a PNG picture
  std::function<void()> quit;
};

class PlotMenuBar final : public QObject {
  Q_OBJECT
 public:
  // The bar is made on `window`, which owns it and this.
  PlotMenuBar(QWidget& window, PlotInteraction& interaction, PlotMenuActions actions);

  QMenuBar* Bar() { return bar_; }
  // An item by its object name ("fileOpen", "helpAbout", ...; the popup's
  // "menuConnect", ... under View).
  QAction* Item(const QString& name) const;
  // A one-line note at the bar's right end (the software renderer's).
  void ShowNote(const QString& text);

 private:
  void FillRecent();
  void ShowManual();
  void ShowAbout();

  QWidget& window_;
  PlotInteraction& interaction_;
  PlotMenuActions actions_;
  QMenuBar* bar_;
  QLabel* note_ = nullptr;
};

}  // namespace rp
