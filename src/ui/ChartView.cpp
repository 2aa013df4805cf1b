// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChartView.h"

#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <utility>

#include "base/Dialogs.h"

namespace rp {

ChartView::ChartView(QWidget* parent) : QWidget(parent) { setMinimumSize(320, 240); }

void ChartView::Show(std::shared_ptr<const ShownStatistics> shown, SeriesKind kind, int selected) {
  shown_ = std::move(shown);
  kind_ = kind;
  selected_ = selected;
  BodyChanged();
}

void ChartView::BodyChanged() {
  body_ = QImage();
  update();
}

void ChartView::Paint(QPainter& painter, const QRectF& area) const {
  PaintBody(painter, area);
  PaintMark(painter, area);
}

void ChartView::SetCurrentEvent(std::int32_t event) {
  if (event == currentEvent_) return;
  currentEvent_ = event;
  update();
}

QString ChartView::ValueTitle() const {
  switch (kind_) {
    case SeriesKind::Timing:
      return tr("inter-onset interval (ms)");
    case SeriesKind::Velocity:
      return tr("velocity");
    case SeriesKind::Tempo:
      return tr("tempo (ms per beat)");
  }
  return {};
}

std::vector<int> ChartView::DrawingOrder() const {
  std::vector<int> order;
  if (!shown_) return order;
  const int count = static_cast<int>(shown_->size());
  for (int i = 0; i < count; ++i)
    if (i != selected_) order.push_back(i);
  if (selected_ >= 0 && selected_ < count) order.push_back(selected_);
  return order;
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  if (body_.size() != pixels) {
    body_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    body_.setDevicePixelRatio(ratio);
    body_.fill(Qt::transparent);
    QPainter painter(&body_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    PaintBody(painter, QRectF(rect()));
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), body_);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintMark(painter, QRectF(rect()));
}

bool ChartView::WriteTo(const QString& path) const {
  const QRectF area(QPointF(0, 0), QSizeF(size()));
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size());
    svg.setViewBox(area);
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.setFont(font());
    Paint(painter, area);
    return painter.end();
  }
  QImage image(size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    Paint(painter, area);
  }
  return image.save(path, "PNG");
}

void ChartView::Export(Dialogs& dialogs, const QString& title) {
  OpenFileRequest request;
  request.title = title.toStdString();
  request.fileTypes = {{tr("PNG image").toStdString(), {"*.png"}}, {tr("SVG drawing").toStdString(), {"*.svg"}}};
  request.defaultExtension = "png";
  const std::optional<std::string> path = dialogs.SaveFile(request);
  if (!path) return;
  const QString file = QString::fromStdString(*path);
  if (!WriteTo(file)) dialogs.ShowMessage(tr("Cannot write \"%1\".").arg(file).toStdString(), MessageKind::Error);
}

}  // namespace rp
