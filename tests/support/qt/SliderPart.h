// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a part of a slider (its groove, its handle) lies, for tests that
// click on it.

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace rp::test {

inline QRect SliderPart(QSlider* slider, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = slider->sliderPosition();
  return slider->style()->subControlRect(QStyle::CC_Slider, &option, part, slider);
}

}  // namespace rp::test
