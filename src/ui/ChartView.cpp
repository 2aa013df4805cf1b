// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ChartView.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "frontend/Dialogs.h"
#include "ui/ChartPainter.h"
#include "ui/Translations.h"

namespace rp {

namespace {

// What `--chart` draws without --width, --height and --dpi.
constexpr double kExportDpi = 96.0;

// The axis's texts in the desktop's language, as the window shows them
// (files stay English, as --chart writes them).
void Translate(ChartAxis& axis) {
  std::string prefix;
  for (const std::string_view mark : {kReturnMapX, kReturnMapY}) {
    if (axis.quantity.starts_with(mark)) {
      prefix = mark;
      axis.quantity.erase(0, mark.size());
    }
  }
  axis.quantity = prefix + TranslatedText(axis.quantity).toStdString();
  if (!axis.unit.empty()) axis.unit = TranslatedText(axis.unit).toStdString();
}

}  // namespace

ChartView::ChartView(ChartKind kind, QWidget* parent) : QWidget(parent) {
  request_.kind = kind;
  setMinimumSize(320, 240);
}

void ChartView::Show(std::shared_ptr<const ShownStatistics> shown, SeriesKind kind, int selected) {
  shown_ = std::move(shown);
  request_.series = kind;
  request_.selected = selected;
  BodyChanged();
}

void ChartView::SetRecurrence(const RecurrenceSettings& settings) {
  request_.recurrence = settings;
  BodyChanged();
}

void ChartView::SetTempoChoice(std::optional<Beat> beat, TempoUnit unit, std::optional<double> smoothBeats) {
  request_.tempo = {beat, unit};
  request_.smoothBeats = smoothBeats;
  BodyChanged();
}

void ChartView::SetSecond(int index) {
  request_.second = index;
  BodyChanged();
}

void ChartView::SetWindowMeasure(const std::string& measure, const WindowChoice& windows) {
  request_.measure = measure;
  request_.windows = windows;
  BodyChanged();
}

void ChartView::BodyChanged() {
  drawing_.reset();
  body_ = QImage();
  update();
}

void ChartView::SetCurrentEvent(std::int32_t event) {
  if (event == currentEvent_) return;
  currentEvent_ = event;
  if (CursorRedrawsChart(request_.kind)) {
    BodyChanged();
  } else {
    update();
  }
}

std::vector<ChartPerformance> ChartView::Performances() const {
  std::vector<ChartPerformance> performances;
  if (shown_) {
    for (const ShownPerformance& p : *shown_)
      performances.push_back({p.name.toStdString(), &p.series, p.onsetMs, p.scored ? &*p.scored : nullptr,
                              p.loudnessInDb, &p.windows, p.scoreBeats});
  }
  return performances;
}

ChartDescription ChartView::Describe(bool withCursor) const {
  ChartRequest request = request_;
  request.theme = ChartTheme::Dark;
  request.width = width();
  request.height = height();
  if (withCursor && currentEvent_ >= 0) request.currentEvent = currentEvent_;
  ChartDescription chart = DescribeChart(Performances(), request);
  Translate(chart.x);
  Translate(chart.y);
  return chart;
}

std::optional<ChartCursor> ChartView::Cursor() const {
  if (CursorRedrawsChart(request_.kind) || currentEvent_ < 0) return std::nullopt;
  ChartRequest request = request_;
  request.currentEvent = currentEvent_;
  return DescribeCursor(Performances(), request);
}

const ChartDrawing& ChartView::Drawing() const {
  if (drawing_ && (drawing_->width != width() || drawing_->height != height())) drawing_.reset();
  if (!drawing_) drawing_ = LayOutChart(Describe(CursorRedrawsChart(request_.kind)));
  return *drawing_;
}

ChartDescription ChartView::ExportDescription() const {
  ChartRequest request = request_;
  request.selected = std::max(request.selected, 0);
  return DescribeChart(Performances(), request);
}

void ChartView::paintEvent(QPaintEvent* /*event*/) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = (QSizeF(size()) * ratio).toSize();
  const bool stale = !drawing_ || drawing_->width != width() || drawing_->height != height();
  if (body_.size() != pixels || stale) {
    body_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    body_.setDevicePixelRatio(ratio);
    body_.fill(Qt::transparent);
    QPainter painter(&body_);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintChartItems(painter, Drawing().items);
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), body_);
  const std::optional<ChartCursor> cursor = Cursor();
  if (!cursor) return;
  painter.setRenderHint(QPainter::Antialiasing);
  PaintChartItems(painter, LayOutCursor(*cursor, Drawing(), ChartTheme::Dark));
}

bool ChartView::WriteTo(const QString& path) const {
  return WriteChartFile(LayOutChart(ExportDescription()), path, kExportDpi);
}

void ChartView::Export(Dialogs& dialogs, const QString& title) {
  OpenFileRequest request;
  request.title = title.toStdString();
  request.fileTypes = {{tr("SVG drawing").toStdString(), {"*.svg"}},
                       {tr("PNG image").toStdString(), {"*.png"}},
                       {tr("PDF document").toStdString(), {"*.pdf"}}};
  request.defaultExtension = "svg";
  const std::optional<std::string> path = dialogs.SaveFile(request);
  if (!path) return;
  const QString file = QString::fromStdString(*path);
  if (!WriteTo(file)) dialogs.ShowMessage(tr("Cannot write \"%1\".").arg(file).toStdString(), MessageKind::Error);
}

}  // namespace rp
