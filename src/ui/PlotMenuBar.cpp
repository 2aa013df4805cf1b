// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlotMenuBar.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include "ui/RecentFiles.h"
#include "ui/WindowActions.h"

#ifndef RP_VERSION
#define RP_VERSION "unknown"
#endif

namespace rp {

PlotMenuBar::PlotMenuBar(QWidget& window, WindowActions& actions, std::function<void(const QString&)> openRecent)
    : QObject(&window), actions_(actions), openRecent_(std::move(openRecent)), bar_(new QMenuBar(&window)) {
  bar_->setObjectName(QStringLiteral("menuBar"));

  QMenu* file = bar_->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("fileMenu"));
  actions_.Fill(*file, {"fileOpen", "fileOpenWithScore"});
  QMenu* recent = file->addMenu(tr("Open &Recent"));
  recent->setObjectName(QStringLiteral("recentMenu"));
  QObject::connect(recent, &QMenu::aboutToShow, bar_, [this] { FillRecent(); });
  actions_.Fill(*file, {"", "menuAddCompared", "menuRemoveCompared", "", "menuRecord", "menuLoad", "",
                        "fileExportEvents", "fileExportPicture", "", "fileQuit"});

  view_ = bar_->addMenu(tr("&View"));
  view_->setObjectName(QStringLiteral("viewMenu"));
  actions_.Fill(*view_, {"menuConnect", "menuLines", "menuFootLines", "menuBase", "menuRotate", "", "menuLogAxes",
                         "menuIdentityLine", "menuColourByTime", "menuEventRange", "menuTempoBeat", "menuTempoBpm", "", "menuScaleFrom", "menuOwnScale",
                         "menuLightTheme", "", "menuReset", "", "menuAnalysisSettings", "menuStatistics"});

  QMenu* help = bar_->addMenu(tr("&Help"));
  help->setObjectName(QStringLiteral("helpMenu"));
  actions_.Fill(*help, {"helpManual", "helpAbout"});
}

QAction* PlotMenuBar::Item(const QString& name) const { return actions_.Action(name); }

void PlotMenuBar::ShowNote(const QString& text) {
  if (note_ == nullptr) {
    note_ = new QLabel(bar_);
    note_->setObjectName(QStringLiteral("rendererNote"));
    note_->setContentsMargins(0, 0, note_->fontMetrics().averageCharWidth(), 0);
    bar_->setCornerWidget(note_, Qt::TopRightCorner);
  }
  note_->setText(text);
  note_->setToolTip(text);
  note_->show();
}

void PlotMenuBar::FillRecent() {
  QMenu* recent = bar_->findChild<QMenu*>(QStringLiteral("recentMenu"));
  if (recent == nullptr) return;
  recent->clear();
  const QStringList files = RecentFiles();
  for (const QString& path : files) {
    QAction* action = recent->addAction(QFileInfo(path).fileName());
    action->setToolTip(path);
    action->setData(path);
    QObject::connect(action, &QAction::triggered, bar_, [this, path] {
      if (openRecent_) openRecent_(path);
    });
  }
  if (files.isEmpty()) recent->addAction(tr("(none)"))->setEnabled(false);
  recent->addSeparator();
  QAction* clear = recent->addAction(tr("Clear list"), bar_, [] { ClearRecentFiles(); });
  clear->setEnabled(!files.isEmpty());
}

void ShowManual(QWidget& window) {
  // The manual is the program's manual page; a desktop that cannot show it
  // gets the command that does.
  if (QDesktopServices::openUrl(QUrl(QStringLiteral("man:returnplot(1)")))) return;
  QMessageBox::information(&window, PlotMenuBar::tr("Manual"),
                           PlotMenuBar::tr("The manual is the manual page: type \"man returnplot\" in a terminal."));
}

void ShowAbout(QWidget& window) {
  QMessageBox::about(
      &window, PlotMenuBar::tr("About returnplot"),
      PlotMenuBar::tr("<p><b>returnplot %1</b></p>"
                      "<p>Onset events of music performances as rotatable 3D return plots, with replay.</p>"
                      "<p>This program is free software under the GNU General Public License, version 3 or "
                      "later. It comes with no warranty.</p>")
          .arg(QStringLiteral(RP_VERSION)));
}

}  // namespace rp
