// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TimeSlider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProxyStyle>
#include <utility>

namespace rp {

namespace {

// The application's style, except that the left and middle buttons set the
// slider to the clicked place.
class ClickToPlaceStyle final : public QProxyStyle {
 public:
  ClickToPlaceStyle() : QProxyStyle(QApplication::style()->name()) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == QStyle::SH_Slider_AbsoluteSetButtons) return Qt::LeftButton | Qt::MiddleButton;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

TimeSlider::TimeSlider(std::function<void(int)> seek, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), seek_(std::move(seek)) {
  auto* style = new ClickToPlaceStyle;
  style->setParent(this);
  setStyle(style);
  // Keys, the wheel, clicks and drags come as actions, each with the place
  // it moves to (the value follows after the report); the program's setValue
  // comes as none.
  connect(this, &QAbstractSlider::actionTriggered, this, [this] {
    if (sliderPosition() != value()) Report(sliderPosition());
  });
}

void TimeSlider::Report(int event) {
  reportedSincePress_ = true;
  seek_(event);
}

void TimeSlider::mousePressEvent(QMouseEvent* event) {
  pressed_ = true;
  reportedSincePress_ = false;
  QSlider::mousePressEvent(event);
  event->accept();  // the release comes here, also for buttons the slider ignores
}

void TimeSlider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  if (!std::exchange(pressed_, false) || reportedSincePress_) return;
  Report(value());
}

}  // namespace rp
