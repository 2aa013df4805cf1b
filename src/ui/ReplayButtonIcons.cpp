// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReplayButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace rp {

namespace {

// A transparent pixmap of `size` with `draw` run on an antialiased painter.
QIcon Drawn(QSize size, const std::function<void(QPainter&, double w, double h)>& draw) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  draw(painter, size.width(), size.height());
  return QIcon(pixmap);
}

}  // namespace

QIcon RewindIcon(QSize size) {
  return Drawn(size, [](QPainter& p, double w, double h) {
    QPainterPath arrow;
    arrow.moveTo(w * 0.05, h * 0.5);
    arrow.lineTo(w * 0.45, h * 0.1);
    arrow.lineTo(w * 0.45, h * 0.32);
    arrow.lineTo(w * 0.95, h * 0.32);
    arrow.lineTo(w * 0.95, h * 0.68);
    arrow.lineTo(w * 0.45, h * 0.68);
    arrow.lineTo(w * 0.45, h * 0.9);
    arrow.closeSubpath();
    p.setBrush(Qt::black);
    p.drawPath(arrow);
  });
}

QIcon PlayIcon(QSize size) {
  return Drawn(size, [](QPainter& p, double w, double h) {
    // As wide as high, centred.
    const double side = std::min(w, h * 1.15);
    const double left = (w - side) / 2;
    QPainterPath triangle;
    triangle.moveTo(left, h * 0.05);
    triangle.lineTo(left + side, h * 0.5);
    triangle.lineTo(left, h * 0.95);
    triangle.closeSubpath();
    p.setBrush(QColor(128, 128, 128));
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.drawPath(triangle);
  });
}

QIcon StopIcon(QSize size) {
  return Drawn(size, [](QPainter& p, double w, double h) {
    // A dark housing with three lamps, the top one lit red.
    const double housingWidth = std::min(w, h * 0.45);
    const QRectF housing((w - housingWidth) / 2, 0, housingWidth, h);
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(housing, housingWidth * 0.25, housingWidth * 0.25);
    const double lamp = std::min(housingWidth * 0.7, h / 3.6);
    const QColor lamps[] = {QColor(255, 0, 0), QColor(90, 75, 0), QColor(0, 70, 0)};
    for (int i = 0; i < 3; ++i) {
      const double centreY = h * (i + 0.5) / 3;
      p.setBrush(lamps[i]);
      p.drawEllipse(QPointF(w / 2, centreY), lamp / 2, lamp / 2);
    }
  });
}

}  // namespace rp
