// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace rp {

namespace {

QSettings Stored() { return QSettings(QStringLiteral("returnplot"), QStringLiteral("returnplot")); }

QString Key(const QWidget& window) { return QStringLiteral("windows/") + window.objectName(); }

}  // namespace

QRect InsideArea(const QRect& frame, const QRect& available) {
  const int width = std::min(frame.width(), available.width());
  const int height = std::min(frame.height(), available.height());
  const int left = std::clamp(frame.left(), available.left(), available.left() + available.width() - width);
  const int top = std::clamp(frame.top(), available.top(), available.top() + available.height() - height);
  return {left, top, width, height};
}

void StoreWindowGeometry(const QWidget& window) {
  // The frame's corner and the client size: what move() and resize() take.
  Stored().setValue(Key(window), QRect(window.frameGeometry().topLeft(), window.size()));
}

bool RestoreWindowGeometry(QWidget& window) {
  const QRect kept = Stored().value(Key(window)).toRect();
  if (!kept.isValid()) return false;
  const QScreen* screen = QGuiApplication::screenAt(kept.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return false;
  // The frame adds the title bar and borders around the client size.
  const QSize border = window.frameGeometry().size() - window.size();
  const QRect frame = InsideArea(QRect(kept.topLeft(), kept.size() + border), screen->availableGeometry());
  window.resize((frame.size() - border).expandedTo(window.minimumSizeHint()));
  window.move(frame.topLeft());
  return true;
}

}  // namespace rp
