// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlotInteraction.h"

#include <QAction>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

#include "plot/MouseOver.h"
#include "plot/ViewKeys.h"
#include "plot/ViewMouse.h"
#include "plot/ViewState.h"
#include "ui/QtKeyCodes.h"
#include "ui/Translations.h"

namespace rp {

namespace {

bool IsToggle(ViewMenuItem item) {
  switch (item) {
    case ViewMenuItem::Connect:
    case ViewMenuItem::Lines:
    case ViewMenuItem::FootLines:
    case ViewMenuItem::Base:
    case ViewMenuItem::Rotate:
    case ViewMenuItem::LogAxes:
    case ViewMenuItem::IdentityLine:
    case ViewMenuItem::ColourByTime:
      return true;
    default:
      return false;
  }
}

// Qt's buttons carry the same bits: left 1, right 2, middle 4.
int ButtonMask(Qt::MouseButtons buttons) {
  return static_cast<int>(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

}  // namespace

PlotInteraction::PlotInteraction(ViewState& state, Hooks hooks, QWidget* surface, QMenu* popup, QObject* parent)
    : QObject(parent),
      state_(state),
      hooks_(std::move(hooks)),
      surface_(surface),
      popup_(popup),
      decimalSeparator_(QLocale::system().decimalPoint().toStdString()) {
  surface_->setMouseTracking(true);  // hovering needs moves without a button
  surface_->setFocusPolicy(Qt::StrongFocus);
  surface_->installEventFilter(this);
  FillMenu();
}

void PlotInteraction::FillMenu() {
  popup_->setObjectName(QString::fromStdString(menu_.name));
  popup_->setTitle(QString::fromStdString(menu_.caption));
  popup_->setToolTipsVisible(true);
  ShowSwitches(state_, menu_);
  for (const ViewMenuEntry& entry : menu_.entries) {
    QAction* action = popup_->addAction(TranslatedText(entry.caption));
    action->setObjectName(QString::fromStdString(entry.name));
    action->setCheckable(IsToggle(entry.item));
    action->setChecked(entry.checked);
    action->setVisible(entry.visible);
    action->setEnabled(entry.enabled);
    const ViewMenuItem item = entry.item;
    connect(action, &QAction::triggered, this, [this, item] { Choose(item); });
  }
}

QAction* PlotInteraction::MenuAction(const QString& name) const {
  for (QAction* a : popup_->actions())
    if (a->objectName() == name) return a;
  return nullptr;
}

const std::function<void()>* PlotInteraction::WindowAction(ViewMenuItem item) const {
  switch (item) {
    case ViewMenuItem::Load:
      return &hooks_.loadData;
    case ViewMenuItem::AddCompared:
      return &hooks_.addCompared;
    case ViewMenuItem::RemoveCompared:
      return &hooks_.removeCompared;
    case ViewMenuItem::AnalysisSettings:
      return &hooks_.analysisSettings;
    case ViewMenuItem::Record:
      return &hooks_.toggleRecording;
    case ViewMenuItem::LogAxes:
    case ViewMenuItem::ColourByTime:
      return &hooks_.displayChanged;
    case ViewMenuItem::EventRange:
      return &hooks_.chooseEventRange;
    default:
      return nullptr;
  }
}

void PlotInteraction::Choose(ViewMenuItem item) {
  hooks_.run([this, item] {
    if (ChooseMenuItem(state_, menu_, item)) return;
    const std::function<void()>* action = WindowAction(item);
    if (action != nullptr && *action) (*action)();
  });
  ShowCheckMarks();
  Redraw();
}

// Qt flips a checkable item by itself; the switches decide.
void PlotInteraction::ShowCheckMarks() {
  ShowSwitches(state_, menu_);
  for (const ViewMenuEntry& entry : menu_.entries)
    if (QAction* a = MenuAction(QString::fromStdString(entry.name))) a->setChecked(entry.checked);
  ShowDisplayOptionStates();
}

void PlotInteraction::ShowDisplayOptionStates() {
  ShowDisplayOptions(state_, menu_);
  for (const ViewMenuItem item : {ViewMenuItem::LogAxes, ViewMenuItem::IdentityLine, ViewMenuItem::ColourByTime}) {
    const ViewMenuEntry& entry = menu_.Entry(item);
    QAction* a = MenuAction(QString::fromStdString(entry.name));
    if (a == nullptr) continue;
    a->setChecked(entry.checked);
    a->setEnabled(entry.enabled);
    a->setToolTip(entry.toolTip.empty() ? QString() : TranslatedText(entry.toolTip));
  }
}

void PlotInteraction::MousePressed(int button, float x, float y, const QPoint& globalPos) {
  if (MouseDown(state_, button, x, y) != MouseDownAction::PopupMenu) return;
  ShowRecordingCaption();
  ShowDisplayOptionStates();
  popup_->popup(globalPos);
}

void PlotInteraction::ShowRecordingCaption() {
  ShowRecordingState(menu_, hooks_.isRecording && hooks_.isRecording());
  const ViewMenuEntry& record = menu_.Entry(ViewMenuItem::Record);
  if (QAction* a = MenuAction(QString::fromStdString(record.name))) a->setText(TranslatedText(record.caption));
}

void PlotInteraction::MouseMoved(int buttons, float x, float y) {
  hooks_.run([this, buttons, x, y] {
    if (MouseMove(state_, buttons, x, y, decimalSeparator_)) Redraw();
  });
}

// The end of a drag lets auto-rotation go on.
void PlotInteraction::MouseReleased() {
  MouseUp(state_);
  Redraw();
}

void PlotInteraction::KeyPressed(int keyCode) {
  KeyDown(state_, keyCode);
  Redraw();
}

void PlotInteraction::KeyReleased(int keyCode) {
  KeyUp(state_, keyCode);
  Redraw();
}

void PlotInteraction::Redraw() {
  if (hooks_.redraw) hooks_.redraw();
}

bool PlotInteraction::eventFilter(QObject* watched, QEvent* event) {
  if (watched != surface_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {  // the second press of a double click may start a drag too
      auto* e = static_cast<QMouseEvent*>(event);
      const QPointF p = e->position();
      const auto x = static_cast<float>(p.x());
      const auto y = static_cast<float>(p.y());
      MousePressed(ButtonMask(e->button()), x, y, e->globalPosition().toPoint());
      if (event->type() == QEvent::MouseButtonDblClick && e->button() == Qt::LeftButton && hooks_.doubleClicked)
        hooks_.run([this, x, y] { hooks_.doubleClicked(x, y); });
      return true;
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      const QPointF p = e->position();
      MouseMoved(ButtonMask(e->buttons()), static_cast<float>(p.x()), static_cast<float>(p.y()));
      return true;
    }
    case QEvent::MouseButtonRelease:
      MouseReleased();
      return true;
    case QEvent::Leave:
      // The label goes with the pointer, and auto-rotation goes on.
      hooks_.run([this] {
        if (MouseLeft(state_)) Redraw();
      });
      return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* e = static_cast<QKeyEvent*>(event);
      if (e->isAutoRepeat()) return true;  // a held key stays down until it is let go
      const std::int32_t code = VirtualKeyFromQt(e->key());
      if (event->type() == QEvent::KeyPress) {
        KeyPressed(code);
      } else {
        KeyReleased(code);
      }
      return false;
    }
    case QEvent::FocusOut:
      // Keys let go elsewhere never report here: none stays held.
      state_.keyState.fill(false);
      return false;
    default:
      return false;
  }
}

}  // namespace rp
