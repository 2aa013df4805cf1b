// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of the control panel that the replay reads and sets: the speed
// and tail-length sliders, the output device list, the time slider and time
// display. (Which buttons can be pressed follows the program's state.) The Qt
// control panel implements it with its widgets; tests with plain fields.

#include <string>

namespace rp {

class ReplayControls {
 public:
  virtual ~ReplayControls() = default;
  // The "Replay speed" slider (-1000 to 9000).
  virtual int ReplaySpeed() const = 0;
  // The "Length of tail" slider (1 to 500).
  virtual int TailLength() const = 0;
  // Position of the chosen entry in the device list, the first entry 0: the
  // number of the device it opens.
  virtual int ChosenDeviceEntry() const = 0;
  // Moves the time slider to follow the replay position; this is no seek.
  virtual void SetTimeSliderValue(int value) = 0;
  // The time display.
  virtual void SetTimeText(const std::string& text) = 0;
};

}  // namespace rp
