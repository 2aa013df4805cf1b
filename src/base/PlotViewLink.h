// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calls that pass between the control panel and the plot. Each window
// implements its side, so neither needs the other's class.

namespace rp {

// Defined in model/ValueKind.h (Timing, Velocity, Tempo).
enum class ValueKind;

// What the control panel and the replay ask of the plot.
class PlotViewLink {
 public:
  virtual ~PlotViewLink() = default;
  // Rebuild the points from the first events of the performance (with a range pass).
  virtual void ShowFirstEvents() = 0;
  // Rebuild the points as the tail of the current event (no range pass).
  virtual void ShowTail() = 0;
  // Fixed single border during a replay, sizable otherwise.
  virtual void SetBorderFixed(bool fixed) = 0;
  // Other values chosen (Timing/Velocity/Tempo): the points anew, the view kept as
  // it is (a tail stays the tail of the same event).
  virtual void ShowValuesAgain() { ShowFirstEvents(); }
  // The tail's length changed: a tail shown now is shown at its new length.
  virtual void TailLengthChanged() {}
};

// What the plot asks of the control panel.
class ControlPanelLink {
 public:
  virtual ~ControlPanelLink() = default;
  virtual void StopReplay() = 0;
  // The values chosen for the axes: Timing, Velocity or Tempo.
  virtual ValueKind ChosenValueKind() const = 0;
  // A replay is running (the plot does not turn by mouse meanwhile).
  virtual bool IsReplaying() const = 0;
};

}  // namespace rp
