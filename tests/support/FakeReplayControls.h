// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The replay's controls for control-panel tests: plain fields the test sets
// and reads, and a processPendingEvents that runs whatever the test puts
// there.

#include <functional>
#include <string>

#include "replay/ReplayControls.h"

namespace rp::test {

class FakeReplayControls final : public ReplayControls {
 public:
  void SetPlayEnabled(bool enabled) override { playEnabled = enabled; }
  int ReplaySpeed() const override { return speed; }
  int TailLength() const override { return tail; }
  int ChosenDeviceEntry() const override { return deviceEntry; }
  void SetTimeSliderValue(int value) override { timeSlider = value; }
  void SetTimeText(const std::string& text) override { timeText = text; }
  void ProcessPendingEvents() override {
    if (pendingEvents) pendingEvents();
  }
  bool playEnabled = true;
  int speed = 0;
  int tail = 10;
  int deviceEntry = 0;
  int timeSlider = 1;
  std::string timeText = "0:00:00";
  std::function<void()> pendingEvents;
};

}  // namespace rp::test
