#pragma once
// The replay's controls for control-panel tests: plain fields the test sets
// and reads, and a DoEvents that runs whatever the test puts there.

#include <functional>
#include <string>

#include "performance/ReplayControls.h"

namespace rp::test {

class FakeReplayControls final : public ReplayControls {
 public:
  void SetPlayEnabled(bool enabled) override { playEnabled = enabled; }
  int PlaybackRateSliderValue() const override { return speed; }
  int SchwanzLaengenSliderValue() const override { return tail; }
  int OutputDevComboIndex() const override { return deviceEntry; }
  void SetTimeSliderValue(int value) override { timeSlider = value; }
  void SetTimeText(const std::string& text) override { timeText = text; }
  void DoEvents() override {
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
