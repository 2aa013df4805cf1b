// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay's controls for control-panel tests: plain fields the test sets
// and reads.

#include <string>

#include "replay/ReplayControls.h"

namespace rp::test {

class FakeReplayControls final : public ReplayControls {
 public:
  int ReplaySpeed() const override { return speed; }
  int TailLength() const override { return tail; }
  int ChosenDeviceEntry() const override { return deviceEntry; }
  void SetTimeSliderValue(int value) override { timeSlider = value; }
  void SetTimeText(const std::string& text) override { timeText = text; }
  int speed = 0;
  int tail = 10;
  int deviceEntry = 0;
  int timeSlider = 0;
  std::string timeText = "0:00:00.0";
};

}  // namespace rp::test
