#pragma once
// The calls that pass between the control panel and the plot view. Each
// window implements its side, so neither needs the other's class.

namespace rp {

// What the control panel asks of the view.
class PlotView {
 public:
  virtual ~PlotView() = default;
  // Rebuild the points from the first events of the performance (with a range pass).
  virtual void updateAllData() = 0;
  // Rebuild the points as the tail of `CurrentEvent` (no range pass).
  virtual void UpdateData() = 0;
  // Fixed single border during a replay, sizable otherwise.
  virtual void SetBorderFixed(bool fixed) = 0;
};

// What the view asks of the control panel.
class ControlPanelLink {
 public:
  virtual ~ControlPanelLink() = default;
  virtual void StopPlay() = 0;
  // `TimeVeloOption` element 0: True when "Timing" is chosen.
  virtual bool TimingChosen() const = 0;
  // The MIDI port's `PortState` (2 while replaying).
  virtual int PortState() const = 0;
};

}  // namespace rp
