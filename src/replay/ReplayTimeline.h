// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Maps message times of a replay (ms after its start, at the recorded tempo)
// to absolute clock times. Every due time is computed from one anchor
// (clock time, replay position) and the tempo factor, never by adding up
// intervals, so rounding cannot accumulate into drift. A tempo change moves
// the anchor to the current position: the replay goes on from where it is,
// faster or slower, without a jump.

#include "midi/ReplayClock.h"

namespace rp {

class ReplayTimeline {
 public:
  using Time = ReplayClock::Time;

  // The replay stands at positionMs at clock time now.
  void Start(Time now, double positionMs, double factor);
  void ChangeFactor(Time now, double factor);

  // The clock time at which a message of time messageMs is due.
  Time Due(double messageMs) const;
  // The replay position (ms at the recorded tempo) at clock time now.
  double PositionAt(Time now) const;
  double Factor() const { return factor_; }

 private:
  Time anchorTime_{0};
  double anchorMs_ = 0;
  double factor_ = 1;
};

}  // namespace rp
