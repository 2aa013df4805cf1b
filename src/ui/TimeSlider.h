// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control panel's time slider. Every change a user makes is reported as
// the event to seek to: a click on the groove (which puts the handle at the
// clicked place rather than a page towards it), a drag, the arrow, Page,
// Home and End keys and the mouse wheel; a mouse button pressed and released
// on it without a change reports the event it stands at. A value the program
// sets (the replay moving on) is not reported, so following the replay never
// seeks.

#include <QSlider>
#include <functional>

namespace rp {

class TimeSlider final : public QSlider {
 public:
  TimeSlider(std::function<void(int event)> seek, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Report(int event);

  std::function<void(int)> seek_;
  bool pressed_ = false;
  bool reportedSincePress_ = false;
};

}  // namespace rp
