// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A control panel for view tests: a settable Timing/Velocity/Tempo choice, a port
// state, and a count of the replay stops the view asked for.

#include "base/PlotViewLink.h"
#include "model/ValueKind.h"

namespace rp {

class FakeControlPanel final : public ControlPanelLink {
 public:
  void StopReplay() override { ++stopPlays; }
  ValueKind ChosenValueKind() const override {
    ++timingReads;
    return kind;
  }
  bool IsReplaying() const override { return portState == 2; }

  ValueKind kind = ValueKind::Timing;
  int portState = 0;
  int stopPlays = 0;
  mutable int timingReads = 0;
};

}  // namespace rp
