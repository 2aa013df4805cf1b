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

#include "ui/PlotInteraction.h"
#include "ui/RecentFiles.h"

#ifndef RP_VERSION
#define RP_VERSION "unknown"
#endif

namespace rp {

namespace {

QAction* AddItem(QMenu& menu, const QString& text, const char* name, std::function<void()> run,
                 const QKeySequence& keys = {}) {
  QAction* action = menu.addAction(text);
  action->setObjectName(QLatin1String(name));
  action->setShortcut(keys);
  QObject::connect(action, &QAction::triggered, &menu, [run = std::move(run)] {
    if (run) run();
  });
  return action;
}

// One of the popup menu's own items.
void AddShared(QMenu& menu, const PlotInteraction& interaction, const char* name) {
  if (QAction* action = interaction.MenuAction(QLatin1String(name))) menu.addAction(action);
}

}  // namespace

PlotMenuBar::PlotMenuBar(QWidget& window, PlotInteraction& interaction, PlotMenuActions actions)
    : QObject(&window),
      window_(window),
      interaction_(interaction),
      actions_(std::move(actions)),
      bar_(new QMenuBar(&window)) {
  bar_->setObjectName(QStringLiteral("menuBar"));

  QMenu* file = bar_->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("fileMenu"));
  AddItem(*file, tr("&Open..."), "fileOpen", actions_.open, QKeySequence::Open);
  QMenu* recent = file->addMenu(tr("Open &Recent"));
  recent->setObjectName(QStringLiteral("recentMenu"));
  QObject::connect(recent, &QMenu::aboutToShow, bar_, [this] { FillRecent(); });
  file->addSeparator();
  AddShared(*file, interaction_, "menuAddCompared");
  if (QAction* add = Item(QStringLiteral("menuAddCompared"))) add->setShortcut(QKeySequence(tr("Ctrl+Shift+O")));
  AddShared(*file, interaction_, "menuRemoveCompared");
  file->addSeparator();
  AddShared(*file, interaction_, "menuRecord");
  AddShared(*file, interaction_, "menuLoad");
  file->addSeparator();
  AddItem(*file, tr("Export &events as CSV..."), "fileExportEvents", actions_.exportEvents);
  AddItem(*file, tr("Export &picture as PNG..."), "fileExportPicture", actions_.exportPicture,
          QKeySequence(tr("Ctrl+E")));
  file->addSeparator();
  AddItem(*file, tr("&Quit"), "fileQuit", actions_.quit, QKeySequence::Quit);
  // The recording item says whether a take is being recorded.
  QObject::connect(file, &QMenu::aboutToShow, bar_, [this] { interaction_.ShowRecordingCaption(); });

  QMenu* view = bar_->addMenu(tr("&View"));
  view->setObjectName(QStringLiteral("viewMenu"));
  for (const char* name : {"menuConnect", "menuLines", "menuFootLines", "menuBase", "menuRotate"})
    AddShared(*view, interaction_, name);
  view->addSeparator();
  for (const char* name : {"menuLogAxes", "menuIdentityLine", "menuColourByTime", "menuEventRange"})
    AddShared(*view, interaction_, name);
  view->setToolTipsVisible(true);  // why "Colour by time" cannot be chosen
  QObject::connect(view, &QMenu::aboutToShow, bar_, [this] { interaction_.ShowDisplayOptionStates(); });
  view->addSeparator();
  AddShared(*view, interaction_, "menuReset");
  view->addSeparator();
  AddShared(*view, interaction_, "menuAnalysisSettings");
  AddShared(*view, interaction_, "menuStatistics");

  QMenu* help = bar_->addMenu(tr("&Help"));
  help->setObjectName(QStringLiteral("helpMenu"));
  AddItem(
      *help, tr("&Manual"), "helpManual", [this] { ShowManual(); }, QKeySequence::HelpContents);
  AddItem(*help, tr("&About returnplot"), "helpAbout", [this] { ShowAbout(); });
}

QAction* PlotMenuBar::Item(const QString& name) const {
  for (QAction* action : bar_->findChildren<QAction*>(name)) return action;
  // The shared items belong to the popup menu.
  return interaction_.MenuAction(name);
}

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
      if (actions_.openRecent) actions_.openRecent(path);
    });
  }
  if (files.isEmpty()) recent->addAction(tr("(none)"))->setEnabled(false);
  recent->addSeparator();
  QAction* clear = recent->addAction(tr("Clear list"), bar_, [] { ClearRecentFiles(); });
  clear->setEnabled(!files.isEmpty());
}

void PlotMenuBar::ShowManual() {
  // The manual is the program's manual page; a desktop that cannot show it
  // gets the command that does.
  if (QDesktopServices::openUrl(QUrl(QStringLiteral("man:returnplot(1)")))) return;
  QMessageBox::information(&window_, tr("Manual"),
                           tr("The manual is the manual page: type \"man returnplot\" in a terminal."));
}

void PlotMenuBar::ShowAbout() {
  QMessageBox::about(&window_, tr("About returnplot"),
                     tr("<p><b>returnplot %1</b></p>"
                        "<p>Onset events of music performances as rotatable 3D return plots, with replay.</p>"
                        "<p>This program is free software under the GNU General Public License, version 3 or "
                        "later. It comes with no warranty.</p>")
                         .arg(QStringLiteral(RP_VERSION)));
}

}  // namespace rp
