// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Measures the time between frames, leaving out the time it was stopped (the
// view stops it while minimised). Used from the window thread only.

namespace rp {

class FrameClock {
 public:
  // The time source: monotonic, in seconds. nullptr: the steady clock.
  using Source = double (*)();
  explicit FrameClock(Source now = nullptr) : now_(now) {}

  // Clears the clock. Returns 0.
  float Reset();
  // (Re)starts it; a stopped interval is not counted. Returns the time.
  float Start();
  // Pauses it. Returns the time.
  float Stop();
  // The time since the last Elapsed or the first Start (never negative).
  float Elapsed();
  // (A Start while running and a Stop while stopped change nothing.)
  //
  // Should the source ever read less than the last stored time, the call
  // resets the clock instead of doing its own work and returns 0; WentBack()
  // then tells so until the next call.
  bool WentBack() const { return wentBack_; }

 private:
  double Now() const;
  // True (after a reset) when the source went back.
  bool CheckedBack();

  Source now_;
  double stopTime_ = 0.0;
  double lastTime_ = 0.0;
  bool running_ = false;
  bool wentBack_ = false;
};

}  // namespace rp
