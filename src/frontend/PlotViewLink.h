// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the replay and the take recorder ask of the plot. The session
// implements it by telling the views (SessionChange); the plot view offers
// the same calls to the window that shows it.

namespace rp {

// Defined in model/ValueKind.h (Timing, Velocity, Tempo, MelodyLead, Spread).
enum class ValueKind;

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

}  // namespace rp
