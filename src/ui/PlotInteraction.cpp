// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PlotInteraction.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QWidget>

#include "plot/MouseOver.h"
#include "plot/ViewKeys.h"
#include "plot/ViewMouse.h"
#include "plot/ViewState.h"
#include "ui/CameraKeys.h"

namespace rp {

namespace {

// Qt's buttons carry the same bits: left 1, right 2, middle 4.
int ButtonMask(Qt::MouseButtons buttons) {
  return static_cast<int>(buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton));
}

}  // namespace

PlotInteraction::PlotInteraction(ViewState& state, Hooks hooks, QWidget* surface, QObject* parent)
    : QObject(parent),
      state_(state),
      hooks_(std::move(hooks)),
      surface_(surface),
      decimalSeparator_(QLocale::system().decimalPoint().toStdString()) {
  surface_->setMouseTracking(true);  // hovering needs moves without a button
  surface_->setFocusPolicy(Qt::StrongFocus);
  surface_->installEventFilter(this);
}

void PlotInteraction::MousePressed(int button, float x, float y, const QPoint& globalPos) {
  if (MouseDown(state_, button, x, y) != MouseDownAction::PopupMenu) return;
  if (hooks_.popupMenu) hooks_.popupMenu(globalPos);
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

void PlotInteraction::KeyPressed(int qtKey) {
  if (const std::optional<CameraMove> move = CameraMoveOfKey(qtKey)) HoldMove(state_, *move);
  Redraw();
}

void PlotInteraction::KeyReleased(int qtKey) {
  if (const std::optional<CameraMove> move = CameraMoveOfKey(qtKey)) ReleaseMove(state_, *move);
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
      if (event->type() == QEvent::KeyPress) {
        KeyPressed(e->key());
      } else {
        KeyReleased(e->key());
      }
      return false;
    }
    case QEvent::FocusOut:
      // Keys let go elsewhere never report here: none stays held.
      ReleaseAllMoves(state_);
      return false;
    default:
      return false;
  }
}

}  // namespace rp
